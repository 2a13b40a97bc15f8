// LayOutText against the system's DrawText: the same text in the same font and box, drawn once
// by DrawText and once piece by piece where the layout put it, must give the same pixels.
// Wine's DrawText ignores DT_HIDEPREFIX and DT_PREFIXONLY (it draws and underlines all the same),
// so a hidden-key row is compared with the text DT_HIDEPREFIX documents: marks out, no underline.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "styling/records/control_text.h"

namespace {

struct Case {
  const char* name;
  const char* text;
  int width, height;
  UINT format;
  AccessKeyMode keys = AccessKeyMode::None;
  const char* shown = nullptr;  // what DrawText shows of a hidden-key text, drawn with DT_NOPREFIX
  BYTE charset = GB2312_CHARSET;  // of the font: DrawTextA reads the text in its code page
};

constexpr char Long[] = "the quick brown fox jumps over the lazy dog";
constexpr UINT Wrap = DT_WORDBREAK;
constexpr AccessKeyMode Keys = AccessKeyMode::Show;
const Case Cases[] = {
    {"words broken at spaces", Long, 90, 80, Wrap},
    {"centred lines keep no space at their end", Long, 90, 80, DT_CENTER | Wrap},
    {"right-aligned lines", Long, 90, 80, DT_RIGHT | Wrap},
    {"Chinese text breaks between characters", "欢迎使用岚舟YY公会一键下载教程", 60, 80, Wrap},
    {"a word longer than the line stays whole", "abcdefghijklmnopqrstuvwxyz end", 50, 60, Wrap},
    {"unless DT_EDITCONTROL", "abcdefghijklmnopqrstuvwxyz end", 50, 60, Wrap | DT_EDITCONTROL},
    {"hard line breaks", "one\r\ntwo\n\nthree\rfour", 200, 100, 0},
    {"each line its own access key", "&File\nE&xit && &quit", 200, 60, 0, Keys},
    {"a doubled & is one, a final & stays", "R&&D(&D) end&", 200, 20, 0, Keys},
    {"hidden access keys", "&File\nE&xit && &quit", 200, 60, 0, AccessKeyMode::Hide,
     "File\nExit & quit"},
    {"no prefix", "a&b&&c", 200, 20, 0},
    {"tabs expanded", "name\tvalue\t\tend", 300, 20, DT_EXPANDTABS, Keys},
    {"one line in the middle", "middle", 100, 40, DT_SINGLELINE | DT_VCENTER | DT_CENTER},
    {"one line at the bottom", "bottom", 100, 40, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT},
    {"DT_VCENTER does nothing for several lines", Long, 60, 90, Wrap | DT_VCENTER},
    {"no line after the one at the bottom", Long, 60, 30, Wrap},
    {"no partly shown line with DT_EDITCONTROL", Long, 60, 30, Wrap | DT_EDITCONTROL},
    {"end ellipsis", Long, 80, 20, DT_SINGLELINE | DT_END_ELLIPSIS},
    {"word ellipsis", Long, 80, 20, DT_SINGLELINE | DT_WORD_ELLIPSIS},
    {"path ellipsis", "C:\\Program Files\\Lanzhou\\lanzhou.exe", 120, 20,
     DT_SINGLELINE | DT_PATH_ELLIPSIS},
    {"end ellipsis on the last line shown", Long, 80, 30, Wrap | DT_END_ELLIPSIS},
    {"an unbreakable word is clipped", "abcdefghijklmnopqrstuvwxyz", 50, 20, Wrap},
    {"unless DT_NOCLIP", "abcdefghijklmnopqrstuvwxyz", 50, 20, Wrap | DT_NOCLIP},
    {"a line reaching the bottom is cut", Long, 60, 20, Wrap},
    {"a Cyrillic font reads its own code page", "\xC0\xC1\xC2 \xE0\xE1\xE2", 200, 20, 0,
     AccessKeyMode::None, nullptr, RUSSIAN_CHARSET},
};

constexpr int Margin = 10;

// A white picture of the box with a margin, drawn on by `draw`, read back.
template <typename Draw>
std::vector<DWORD> Picture(HFONT font, const Case& row, Draw&& draw) {
  const int width = row.width + 2 * Margin, height = row.height + 2 * Margin;
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  HGDIOBJ previousFont = SelectObject(dc, font);
  PatBlt(dc, 0, 0, width, height, WHITENESS);
  SetBkMode(dc, TRANSPARENT);
  RECT box{Margin, Margin, Margin + row.width, Margin + row.height};
  draw(dc, box);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                            static_cast<const DWORD*>(bits) + width * height);
  SelectObject(dc, previousFont);
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

UINT PrefixFlags(AccessKeyMode keys) { return keys == AccessKeyMode::None ? DT_NOPREFIX : 0; }

TEST(LayOutText, PutsEveryPieceWhereTheSystemsDrawTextDraws) {
  for (const Case& row : Cases) {
    HFONT font =
        CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, row.charset, 0, 0, 0, 0, "宋体");
    ASSERT_TRUE(font);
    std::vector<DWORD> system = Picture(font, row, [&](HDC dc, RECT box) {
      if (row.shown) {
        DrawTextA(dc, row.shown, -1, &box, row.format | DT_NOPREFIX);
      } else {
        DrawTextA(dc, row.text, -1, &box, row.format | PrefixFlags(row.keys));
      }
    });
    std::vector<DWORD> ours = Picture(font, row, [&](HDC dc, RECT box) {
      TextLayout layout = LayOutText(font, row.text, box, row.format, row.keys);
      if (layout.clipped) {
        IntersectClipRect(dc, layout.clip.left, layout.clip.top, layout.clip.right,
                          layout.clip.bottom);
      }
      for (const TextLine& piece : layout.lines) {
        ExtTextOutW(dc, piece.x, piece.y, 0, nullptr, piece.text.c_str(),
                    static_cast<UINT>(piece.text.size()), nullptr);
        if (piece.underlineWidth <= 0) continue;
        const int x = piece.x + piece.underlineLeft, y = piece.y + layout.ascent + 1;
        MoveToEx(dc, x, y, nullptr);
        LineTo(dc, x + piece.underlineWidth - 1, y);
      }
    });
    int ink = 0, differ = 0;
    for (size_t i = 0; i < system.size(); ++i) {
      ink += (system[i] & 0xFFFFFF) != 0xFFFFFF;
      differ += system[i] != ours[i];
    }
    EXPECT_GT(ink, 20) << row.name;
    EXPECT_EQ(differ, 0) << row.name;
    DeleteObject(font);
  }
}

}  // namespace
