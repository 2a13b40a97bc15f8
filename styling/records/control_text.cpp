#include "styling/records/control_text.h"

#include <usp10.h>

#include <algorithm>

#include "styling/records/keyboard_cues.h"

namespace {

constexpr int NoWrapNoClip = 0x1000 | 0x4000;  // StringFormatFlagsNoWrap | NoClip
constexpr int WorldUnit = 0;

std::wstring ToWide(const char* text) {
  if (!text || !*text) return {};
  int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

// The text without its access-key marks, and where the underlined character is (-1: none).
struct ShownText {
  std::wstring text;
  int key = -1;
};

ShownText WithoutMarks(const std::wstring& text, AccessKeyMode keys) {
  if (keys == AccessKeyMode::None) return {text, -1};
  ShownText shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != L'&' && shown.key < 0 && keys == AccessKeyMode::Show) {
        shown.key = static_cast<int>(shown.text.size());
      }
    }
    shown.text += text[i];
  }
  return shown;
}

// A memory DC with the font selected, for the length of a layout.
class MeasuringDc {
 public:
  explicit MeasuringDc(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
    if (dc_) previous_ = SelectObject(dc_, font ? font : GetStockObject(SYSTEM_FONT));
  }
  ~MeasuringDc() {
    if (!dc_) return;
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ previous_ = nullptr;
};

int Extent(HDC dc, const wchar_t* text, int count) {
  SIZE size{};
  if (count > 0) GetTextExtentPoint32W(dc, text, count, &size);
  return size.cx;
}

// How many characters from the start fit in the width.
int CharactersThatFit(HDC dc, const wchar_t* text, int count, int width) {
  int fit = 0;
  SIZE size{};
  if (count <= 0 ||
      !GetTextExtentExPointW(dc, text, count, std::max(width, 0), &fit, nullptr, &size)) {
    return count;
  }
  return fit;
}

// Break opportunities of a paragraph, as the system's line breaking sees them: before index i
// when breaks[i] is set (after a space, between Chinese characters, ...).
std::vector<char> BreakOpportunities(const std::wstring& paragraph) {
  std::vector<char> breaks(paragraph.size() + 1, 0);
  if (paragraph.empty()) return breaks;
  std::vector<SCRIPT_LOGATTR> attributes(paragraph.size());
  SCRIPT_ANALYSIS analysis{};
  if (ScriptBreak(paragraph.c_str(), static_cast<int>(paragraph.size()), &analysis,
                  attributes.data()) != S_OK) {
    for (size_t i = 1; i < paragraph.size(); ++i) breaks[i] = paragraph[i - 1] == L' ';
    return breaks;
  }
  for (size_t i = 0; i < paragraph.size(); ++i) breaks[i] = attributes[i].fSoftBreak;
  return breaks;
}

// Where the line that starts at `start` ends (`end`) and where the next begins (`next`).
struct LineEnd {
  size_t end, next;
};

// The line breaking of DrawText with DT_WORDBREAK: as much as fits, broken at the last break
// opportunity; a space at the break goes with neither line (centred and right-aligned lines do
// not keep one at their end either); a word longer than the line stays whole unless
// DT_EDITCONTROL breaks it.
LineEnd BreakLine(HDC dc, const std::wstring& paragraph, const std::vector<char>& breaks,
                  size_t start, int width, UINT format) {
  const wchar_t* text = paragraph.c_str() + start;
  const int count = static_cast<int>(paragraph.size() - start);
  const size_t fit = static_cast<size_t>(CharactersThatFit(dc, text, count, width));
  if (fit >= static_cast<size_t>(count)) return {paragraph.size(), paragraph.size()};
  size_t brk = start + fit;
  while (brk > start && !breaks[brk]) --brk;
  if (brk == start || fit == 0) {
    if ((format & DT_EDITCONTROL) != 0) {
      size_t end = start + std::max<size_t>(fit, 1);
      return {end, end};
    }
    size_t end = start + fit;
    while (end < paragraph.size() && paragraph[end] != L' ') ++end;
    return {end, end < paragraph.size() ? end + 1 : end};
  }
  size_t end = brk, next = brk;
  if ((format & (DT_CENTER | DT_RIGHT)) && end > start && paragraph[end - 1] == L' ') --end;
  if (next < paragraph.size() && paragraph[next] == L' ') ++next;
  return {end, next};
}

// A paragraph's lines: its characters [begin, end) of the whole text.
struct Piece {
  size_t begin, end;
};

void AddLine(TextLayout& layout, HDC dc, const ShownText& shown, Piece piece) {
  TextLine line;
  line.text = shown.text.substr(piece.begin, piece.end - piece.begin);
  line.width = Extent(dc, line.text.c_str(), static_cast<int>(line.text.size()));
  int key = shown.key - static_cast<int>(piece.begin);
  if (shown.key >= 0 && key >= 0 && key < static_cast<int>(line.text.size())) {
    line.underlineLeft = Extent(dc, line.text.c_str(), key);
    line.underlineWidth = Extent(dc, line.text.c_str(), key + 1) - line.underlineLeft;
  }
  layout.lines.push_back(std::move(line));
}

// The hard line breaks: "\r\n", "\n\r", "\r" and "\n" each end a paragraph.
std::vector<Piece> Paragraphs(const std::wstring& text) {
  std::vector<Piece> pieces;
  size_t begin = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r' && text[i] != L'\n') continue;
    pieces.push_back({begin, i});
    if (i + 1 < text.size() && (text[i + 1] == L'\r' || text[i + 1] == L'\n') &&
        text[i + 1] != text[i]) {
      ++i;
    }
    begin = i + 1;
  }
  if (begin < text.size() || pieces.empty()) pieces.push_back({begin, text.size()});
  return pieces;
}

void BreakParagraph(TextLayout& layout, HDC dc, const ShownText& shown, Piece paragraph, int width,
                    UINT format) {
  std::wstring part = shown.text.substr(paragraph.begin, paragraph.end - paragraph.begin);
  if (!(format & DT_WORDBREAK) || part.empty()) {
    AddLine(layout, dc, shown, paragraph);
    return;
  }
  std::vector<char> breaks = BreakOpportunities(part);
  for (size_t start = 0; start < part.size();) {
    LineEnd end = BreakLine(dc, part, breaks, start, width, format);
    AddLine(layout, dc, shown, {paragraph.begin + start, paragraph.begin + end.end});
    start = std::max(end.next, start + 1);
  }
}

// Lines left, centred or right within the box; a single line may also sit in its middle or
// at its bottom.
void PlaceLines(TextLayout& layout, const RECT& box, UINT format) {
  int y = box.top;
  const int block = layout.lineHeight * static_cast<int>(layout.lines.size());
  if (format & DT_VCENTER) y = box.top + (box.bottom - box.top) / 2 - block / 2;
  if (format & DT_BOTTOM) y = box.bottom - block;
  for (TextLine& line : layout.lines) {
    line.x = box.left;
    if (format & DT_CENTER) line.x = (box.left + box.right - line.width) / 2;
    if (format & DT_RIGHT) line.x = box.right - line.width;
    line.y = y;
    y += layout.lineHeight;
  }
}

}  // namespace

AccessKeyMode CaptionAccessKeys(HWND window) {
  return ShowsAccelerators(window) ? AccessKeyMode::Show : AccessKeyMode::Hide;
}

TextLayout LayOutText(HFONT font, const char* text, const RECT& box, UINT format,
                      AccessKeyMode keys) {
  TextLayout layout;
  MeasuringDc measuring(font);
  HDC dc = measuring.Dc();
  if (!dc) return layout;
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  layout.lineHeight = metrics.tmHeight;
  layout.ascent = metrics.tmAscent;
  ShownText shown = WithoutMarks(ToWide(text), keys);
  if (shown.text.empty()) return layout;
  if (format & DT_SINGLELINE) {
    AddLine(layout, dc, shown, {0, shown.text.size()});
  } else {
    for (Piece paragraph : Paragraphs(shown.text)) {
      BreakParagraph(layout, dc, shown, paragraph, box.right - box.left, format);
    }
  }
  PlaceLines(layout, box, format);
  return layout;
}

TextLayout LayOutControlText(HWND control, const char* text, const RECT& box, UINT format,
                             AccessKeyMode keys) {
  auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  return LayOutText(font, text, box, format, keys);
}

void KeepInside(TextLayout& layout, int left, int right) {
  for (TextLine& line : layout.lines) {
    int overflow = line.x + line.width - right;
    if (overflow > 0) line.x -= std::min(overflow, std::max(line.x - left, 0));
  }
}

TextPen::TextPen(const ControlFont& font) : padding_(static_cast<float>(font.fontSize) / 6) {
  font_.CreateFromFamilyName(font.fontName.c_str(), static_cast<float>(font.fontSize),
                             font.fontStyle, WorldUnit);
  format_.Create(NoWrapNoClip);
}

void TextPen::Draw(Graphics& graphics, const TextLayout& layout, Brush& brush, float dx, float dy) {
  for (const TextLine& line : layout.lines) {
    const float x = static_cast<float>(line.x) + dx, y = static_cast<float>(line.y) + dy;
    RectF place{x - padding_, y, static_cast<float>(line.width) + 2 * padding_ + 1,
                static_cast<float>(layout.lineHeight)};
    graphics.DrawString(line.text, font_, brush, place, format_);
    if (line.underlineWidth > 0) {
      graphics.FillRectangle(brush, x + static_cast<float>(line.underlineLeft),
                             y + static_cast<float>(layout.ascent + 1),
                             static_cast<float>(line.underlineWidth - 1), 1);
    }
  }
}

UINT StaticTextFormat(LONG style) {
  UINT format = 0;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER:
      format = DT_CENTER | DT_WORDBREAK;
      break;
    case SS_RIGHT:
      format = DT_RIGHT | DT_WORDBREAK;
      break;
    case SS_LEFTNOWORDWRAP:
      format = DT_LEFT;
      break;
    default:
      format = DT_LEFT | DT_WORDBREAK;
      break;
  }
  if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  if (style & SS_EDITCONTROL) format |= DT_EDITCONTROL;
  return format;
}
