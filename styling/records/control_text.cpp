#include "styling/records/control_text.h"

#include <usp10.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <string_view>

#include "styling/records/look_cache.h"

namespace {

constexpr int NoWrapNoClip = 0x1000 | 0x4000;  // StringFormatFlagsNoWrap | NoClip
constexpr int WorldUnit = 0;
constexpr char DefaultFontName[] = "宋体";
constexpr int DefaultFontSize = 12;
constexpr wchar_t Ellipsis[] = L"...";
constexpr int TabStopInCharacters = 8;  // DrawText's default tab length

// The code page DrawTextA reads its text in: that of the character set of the font selected.
UINT CodePageOf(HDC dc) {
  const int charset = GetTextCharset(dc);
  CHARSETINFO info{};
  auto source = reinterpret_cast<DWORD*>(static_cast<std::uintptr_t>(charset));
  if (charset >= 0 && TranslateCharsetInfo(source, &info, TCI_SRCCHARSET)) return info.ciACP;
  return charset == OEM_CHARSET ? CP_OEMCP : CP_ACP;
}

std::wstring ToWide(const char* text, UINT codePage) {
  if (!text || !*text) return {};
  int length = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
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

int Extent(HDC dc, const std::wstring& text, size_t count) {
  SIZE size{};
  if (count > 0) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(count), &size);
  return size.cx;
}

// How many characters from the start fit in the width.
size_t CharactersThatFit(HDC dc, const std::wstring& text, int width) {
  int fit = 0;
  SIZE size{};
  if (text.empty() || !GetTextExtentExPointW(dc, text.c_str(), static_cast<int>(text.size()),
                                             std::max(width, 0), &fit, nullptr, &size)) {
    return text.size();
  }
  return static_cast<size_t>(fit);
}

// The part of a line up to a tab or its end, as drawn. `origin` holds, for each character, its
// index among the characters the segment had before an ellipsis went in (-1 for the dots), and
// `keys` the indices of its access-key characters, in order.
struct Segment {
  std::wstring text;
  std::vector<int> origin;
  std::vector<size_t> source;  // where each character came from in the whole text
  std::vector<int> keys;
};

// Break opportunities of a segment, as the system's line breaking sees them: before index i
// when breaks[i] is set (after a space, between Chinese characters, ...).
std::vector<char> BreakOpportunities(const std::wstring& text) {
  std::vector<char> breaks(text.size() + 1, 0);
  if (text.empty()) return breaks;
  std::vector<SCRIPT_LOGATTR> attributes(text.size());
  SCRIPT_ANALYSIS analysis{};
  if (ScriptBreak(text.c_str(), static_cast<int>(text.size()), &analysis, attributes.data()) !=
      S_OK) {
    for (size_t i = 1; i < text.size(); ++i) breaks[i] = text[i - 1] == L' ';
    return breaks;
  }
  for (size_t i = 0; i < text.size(); ++i) breaks[i] = attributes[i].fSoftBreak;
  return breaks;
}

// DrawText's word breaking of a segment that does not fit: `fit` characters do. Returns how
// many characters the line keeps; `used` is how many it takes up (a space at the break goes
// with neither line). A space at the break stays on a left-aligned line, not on a centred or
// right-aligned one; a word longer than the line stays whole unless DT_EDITCONTROL breaks it.
size_t BreakWords(const std::wstring& text, size_t fit, UINT format, size_t& used) {
  const std::vector<char> breaks = BreakOpportunities(text);
  size_t brk = fit;
  while (brk > 0 && !breaks[brk]) --brk;
  if (fit == 0 || brk == 0) {
    const UINT wordBreaking = DT_EDITCONTROL | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS;
    if ((format & wordBreaking) == DT_EDITCONTROL) {
      used = std::max<size_t>(fit, 1);
      return used;
    }
    size_t end = fit;
    while (end < text.size() && text[end] != L' ') ++end;
    used = end < text.size() ? end + 1 : end;
    return end;
  }
  size_t end = brk;
  if ((format & (DT_CENTER | DT_RIGHT)) && text[end - 1] == L' ') --end;
  used = end < text.size() && text[end] == L' ' ? end + 1 : end;
  return end;
}

void Shorten(Segment& segment, size_t length) {
  segment.text.resize(length);
  segment.origin.resize(length);
}

// DrawText's end and word ellipsis: as many characters as fit with "..." after them.
void EndEllipsis(HDC dc, Segment& segment, int width) {
  size_t length = segment.text.size();
  if (Extent(dc, segment.text, length) > width) {
    size_t low = 0, high = length;
    while (low < high) {
      size_t middle = (low + high) / 2;
      if (Extent(dc, segment.text, middle) > width) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    length = high;
  }
  const std::wstring head = segment.text;
  for (;;) {
    segment.text = head.substr(0, length) + Ellipsis;
    if (length == 0 || Extent(dc, segment.text, segment.text.size()) <= width) break;
    --length;
  }
  segment.origin.resize(length);
  segment.origin.insert(segment.origin.end(), 3, -1);
}

// DrawText's path ellipsis: "..." before the last "\" or "/", eating into what precedes it until
// the whole fits.
void PathEllipsis(HDC dc, Segment& segment, int width) {
  size_t slash = segment.text.find_last_of(L"\\/");
  if (slash == std::wstring::npos) slash = 0;
  std::wstring text = segment.text;
  std::vector<int> origin = segment.origin;
  text.insert(slash, Ellipsis);
  origin.insert(origin.begin() + static_cast<std::ptrdiff_t>(slash), 3, -1);
  while (slash > 0 && Extent(dc, text, text.size()) > width) {
    text.erase(slash - 1, 1);
    origin.erase(origin.begin() + static_cast<std::ptrdiff_t>(slash - 1));
    --slash;
  }
  segment.text = text;
  segment.origin = origin;
}

// Whether what follows is nothing or one line break.
bool NothingOrLineBreak(const std::wstring& text, size_t at) {
  size_t rest = text.size() - at;
  if (rest == 0) return true;
  if (text[at] != L'\r' && text[at] != L'\n') return false;
  if (rest == 1) return true;
  return rest == 2 && text[at + 1] != text[at] && (text[at + 1] == L'\r' || text[at + 1] == L'\n');
}

struct LineRules {
  UINT format;
  AccessKeyMode keys;
  int width;
  int tabWidth;
};

bool EndsSegment(wchar_t c, const LineRules& rules) {
  if (c == L'\t' && (rules.format & DT_EXPANDTABS)) return true;
  return (c == L'\r' || c == L'\n') && !(rules.format & DT_SINGLELINE);
}

// Copies the characters up to the segment's end, the access-key marks taken out: "&&" is one
// "&", a "&" before another character marks it, a "&" that ends the text stays.
Segment ReadSegment(const std::wstring& text, size_t& at, const LineRules& rules) {
  Segment segment;
  auto take = [&](size_t from) {
    segment.origin.push_back(static_cast<int>(segment.text.size()));
    segment.text += text[from];
    segment.source.push_back(from);
  };
  while (at < text.size() && !EndsSegment(text[at], rules)) {
    if (rules.keys == AccessKeyMode::None || at + 1 >= text.size() || text[at] != L'&') {
      take(at++);
      continue;
    }
    ++at;  // the mark itself
    if (text[at] == L'&') {
      take(at++);
    } else {
      segment.keys.push_back(static_cast<int>(segment.text.size()));
    }
  }
  return segment;
}

// The segment's access key after breaking and ellipses: the last one still shown (-1: none).
int ShownKey(const Segment& segment) {
  for (auto key = segment.keys.rbegin(); key != segment.keys.rend(); ++key) {
    auto found = std::find(segment.origin.begin(), segment.origin.end(), *key);
    if (found != segment.origin.end()) return static_cast<int>(found - segment.origin.begin());
  }
  return -1;
}

// One line as DrawText makes it, from `at` on (moved past it): its pieces with their offsets
// from the line's start and its whole width.
struct Line {
  std::vector<TextLine> pieces;
  int width = 0;
};

Line NextLine(HDC dc, const std::wstring& text, size_t& at, const LineRules& rules, bool lastLine) {
  Line line;
  const UINT format = rules.format;
  bool underlined = false;
  while (at < text.size()) {
    if (text[at] == L'\t' && (format & DT_EXPANDTABS)) {
      line.width = (line.width / rules.tabWidth + 1) * rules.tabWidth;
      for (++at; at < text.size() && text[at] == L'\t'; ++at) line.width += rules.tabWidth;
    }
    const size_t segmentStart = at;
    Segment segment = ReadSegment(text, at, rules);
    const int room = rules.width - line.width;
    const size_t fit = CharactersThatFit(dc, segment.text, room);
    bool fits = fit >= segment.text.size();
    bool broken = false;
    if (!fits && (format & DT_WORDBREAK)) {
      size_t used = 0;
      Shorten(segment, BreakWords(segment.text, fit, format, used));
      at = used > 0 ? segment.source[used - 1] + 1 : segmentStart;
      fits = Extent(dc, segment.text, segment.text.size()) <= room;
      broken = true;
    }
    bool ellipsis = false;
    if (!fits && (format & DT_PATH_ELLIPSIS)) {
      PathEllipsis(dc, segment, room);
      fits = Extent(dc, segment.text, segment.text.size()) <= room;
      ellipsis = true;
    }
    if ((!fits && (format & DT_WORD_ELLIPSIS)) ||
        ((format & DT_END_ELLIPSIS) &&
         ((lastLine && at < text.size()) || (NothingOrLineBreak(text, at) && !fits)))) {
      EndEllipsis(dc, segment, room);
      ellipsis = true;
    }
    if (ellipsis && (format & DT_EXPANDTABS)) {
      // Nothing more of this line is shown.
      while (at < text.size() &&
             ((format & DT_SINGLELINE) || (text[at] != L'\r' && text[at] != L'\n'))) {
        ++at;
      }
    }
    TextLine piece;
    piece.text = segment.text;
    piece.x = line.width;
    piece.width = Extent(dc, piece.text, piece.text.size());
    // DT_HIDEPREFIX: the marks are taken out all the same, nothing is underlined.
    int key = underlined || rules.keys != AccessKeyMode::Show ? -1 : ShownKey(segment);
    if (key >= 0) {
      underlined = true;
      piece.underlineLeft = Extent(dc, piece.text, static_cast<size_t>(key));
      piece.underlineWidth =
          Extent(dc, piece.text, static_cast<size_t>(key) + 1) - piece.underlineLeft;
    }
    line.width += piece.width;
    if (!piece.text.empty()) line.pieces.push_back(std::move(piece));
    if (broken || at >= text.size()) break;
    if (text[at] == L'\r' || text[at] == L'\n') {
      ++at;
      if (at < text.size() && (text[at] == L'\r' || text[at] == L'\n') &&
          text[at] != text[at - 1]) {
        ++at;
      }
      break;
    }
    // Else a tab: the line goes on.
  }
  return line;
}

// The y of the block of `rows` lines in the box by the vertical part of the format.
int BlockTop(const RECT& box, UINT format, int rows, int lineHeight) {
  const int block = rows * lineHeight;
  if (format & DT_VCENTER) return box.top + (box.bottom - box.top) / 2 - block / 2;
  if (format & DT_BOTTOM) return box.bottom - block;
  return box.top;
}

}  // namespace

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
  layout.clipped = !(format & DT_NOCLIP);
  layout.clip = box;
  const std::wstring wide = ToWide(text, CodePageOf(dc));
  if (wide.empty()) return layout;
  if (format & DT_SINGLELINE) format &= ~DT_WORDBREAK;
  const LineRules rules{
      format, keys, box.right - box.left,
      std::max(1, static_cast<int>(metrics.tmAveCharWidth) * TabStopInCharacters)};
  const int lineHeight = layout.lineHeight;
  int y = box.top;
  size_t at = 0;
  bool lastLine = false;
  do {
    const int reach = (format & DT_EDITCONTROL) ? 2 * lineHeight - 1 : lineHeight;
    lastLine = !(format & DT_NOCLIP) && y + reach > box.bottom;
    Line line = NextLine(dc, wide, at, rules, lastLine);
    int x = box.left;
    if (format & DT_CENTER) x = (box.left + box.right - line.width) / 2;
    if (format & DT_RIGHT) x = box.right - line.width;
    if (format & DT_SINGLELINE) y = BlockTop(box, format, 1, lineHeight);
    for (TextLine& piece : line.pieces) {
      piece.x += x;
      piece.y = y;
      layout.lines.push_back(std::move(piece));
    }
    ++layout.rows;
    y += lineHeight;
  } while (at < wide.size() && !lastLine);
  return layout;
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
  if (layout.clipped) {
    const RECT& clip = layout.clip;
    graphics.SetClipRect(static_cast<float>(clip.left) + dx, static_cast<float>(clip.top) + dy,
                         static_cast<float>(clip.right - clip.left),
                         static_cast<float>(clip.bottom - clip.top));
  }
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
  if (layout.clipped) graphics.ResetClip();
}

void CaptionText::SetFont(HWND control, HWND fallback) {
  own_ = handle_ = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  font_ = ReadControlFont(control);
  if (font_.fontName.empty() && fallback) {
    handle_ = reinterpret_cast<HFONT>(SendMessageA(fallback, WM_GETFONT, 0, 0));
    font_ = ReadControlFont(fallback);
  }
  owned_.reset();
  if (font_.fontName.empty() || font_.fontSize == 0) {
    // Drawn in the default face: measured in it too.
    font_ = ControlFont{DefaultFontName, DefaultFontSize, 0};
    owned_.reset(CreateFontA(-DefaultFontSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, DefaultFontName));
    handle_ = owned_.get();
  }
  measured_ = LOGFONTW{};
  if (!handle_ || !GetObjectW(handle_, sizeof measured_, &measured_)) {
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof measured_, &measured_);
  }
  pen_.reset();
  laidOut_ = false;
}

LookKey& CaptionText::AddTo(LookKey& key) const {
  const LOGFONTW& f = measured_;
  key.Add(f.lfHeight).Add(f.lfWidth).Add(f.lfEscapement).Add(f.lfOrientation).Add(f.lfWeight);
  key.Add(f.lfItalic).Add(f.lfUnderline).Add(f.lfStrikeOut).Add(f.lfCharSet);
  key.Add(f.lfOutPrecision).Add(f.lfClipPrecision).Add(f.lfQuality).Add(f.lfPitchAndFamily);
  const std::wstring_view face(f.lfFaceName, wcsnlen(f.lfFaceName, LF_FACESIZE));
  key.Add(
      std::string_view(reinterpret_cast<const char*>(face.data()), face.size() * sizeof(wchar_t)));
  return key.Add(font_.fontName).Add(font_.fontSize).Add(font_.fontStyle);
}

const TextLayout& CaptionText::Layout(const std::string& text, const RECT& box, UINT format,
                                      AccessKeyMode keys) {
  if (laidOut_ && text == text_ && EqualRect(&box, &box_) && format == format_ && keys == keys_) {
    return layout_;
  }
  layout_ = LayOutText(handle_, text.c_str(), box, format, keys);
  PlaceCaption(layout_, box, format);
  text_ = text;
  box_ = box;
  format_ = format;
  keys_ = keys;
  laidOut_ = true;
  return layout_;
}

TextPen& CaptionText::Pen() {
  if (!pen_) pen_ = std::make_unique<TextPen>(font_);
  return *pen_;
}

void CaptionText::Draw(Graphics& graphics, const std::string& text, const RECT& box, UINT format,
                       AccessKeyMode keys, ARGB colour, int nearestLeft) {
  const TextLayout& layout = Layout(text, box, format, keys);
  if (layout.lines.empty()) return;
  SolidBrush brush;
  brush.Create(colour);
  if (nearestLeft < 0) {
    Pen().Draw(graphics, layout, brush);
    return;
  }
  TextLayout moved = layout;
  KeepInside(moved, nearestLeft, box.right);
  Pen().Draw(graphics, moved, brush);
}

UINT StaticTextFormat(LONG style, LONG exStyle) {
  UINT format = 0;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER:
      format = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK;
      break;
    case SS_RIGHT:
      format = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK;
      break;
    case SS_SIMPLE:
      format = DT_LEFT | DT_SINGLELINE;
      break;
    case SS_LEFTNOWORDWRAP:
      format = DT_LEFT | DT_EXPANDTABS;
      break;
    default:
      format = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;
      break;
  }
  if (exStyle & WS_EX_RIGHT) format = DT_RIGHT | (format & ~(DT_LEFT | DT_CENTER));
  if ((style & SS_TYPEMASK) == SS_SIMPLE) return format;
  if (style & SS_CENTERIMAGE) format |= DT_SINGLELINE | DT_VCENTER;
  if (style & SS_EDITCONTROL) format |= DT_EDITCONTROL;
  switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS:
      format |= DT_SINGLELINE | DT_END_ELLIPSIS;
      break;
    case SS_PATHELLIPSIS:
      format |= DT_SINGLELINE | DT_PATH_ELLIPSIS;
      break;
    case SS_WORDELLIPSIS:
      format |= DT_SINGLELINE | DT_WORD_ELLIPSIS;
      break;
    default:
      break;
  }
  return format;
}

UINT ButtonTextFormat(LONG style, LONG exStyle) {
  // Never cut at the bottom: the button clips to its own window.
  UINT format = DT_NOCLIP | ((style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
  const LONG type = (style & BS_PUSHLIKE) ? BS_PUSHBUTTON : (style & BS_TYPEMASK);
  switch (style & BS_CENTER) {
    case BS_LEFT:
      break;
    case BS_RIGHT:
      format |= DT_RIGHT;
      break;
    case BS_CENTER:
      format |= DT_CENTER;
      break;
    default:
      // Push buttons centre their caption; the other types put it on the left.
      if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON ||
          type == BS_OWNERDRAW) {
        format |= DT_CENTER;
      }
      break;
  }
  if (exStyle & WS_EX_RIGHT) format = DT_RIGHT | (format & ~(DT_LEFT | DT_CENTER));
  if (type == BS_GROUPBOX) return format | DT_SINGLELINE;  // always one line, at the top
  switch (style & BS_VCENTER) {
    case BS_TOP:
      break;
    case BS_BOTTOM:
      format |= DT_BOTTOM;
      break;
    default:
      format |= DT_VCENTER;
      break;
  }
  return format;
}

void PlaceCaption(TextLayout& layout, const RECT& box, UINT format) {
  if ((format & DT_SINGLELINE) || layout.lines.empty()) return;  // DrawText placed it
  const int shift = BlockTop(box, format, layout.rows, layout.lineHeight) - box.top;
  for (TextLine& line : layout.lines) line.y += shift;
}
