#include "skinlib/theme.h"

#include "skinlib/gdi.h"

namespace skin {

namespace {

Theme* current = nullptr;

COLORREF ToColorRef(she::Rgb c) { return RGB(c.red, c.green, c.blue); }

// A packed 32-bit top-down DIB of the texture; CreateDIBPatternBrushPt copies it.
HBRUSH CreateTextureBrush(const she::Texture& t, int hue, int saturation, int brightness) {
  const SIZE_T pixels = SIZE_T{t.width} * t.height;
  const SIZE_T bytes = sizeof(BITMAPINFOHEADER) + pixels * 4;
  auto* info = static_cast<BITMAPINFOHEADER*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes));
  if (!info) return nullptr;
  info->biSize = sizeof *info;
  info->biWidth = t.width;
  info->biHeight = -static_cast<LONG>(t.height);
  info->biPlanes = 1;
  info->biBitCount = 32;
  info->biCompression = BI_RGB;
  auto* out = reinterpret_cast<BYTE*>(info + 1);
  for (SIZE_T i = 0; i < pixels; ++i) {
    const she::Rgb c = she::AdjustColour(
        {t.pixels[3 * i], t.pixels[3 * i + 1], t.pixels[3 * i + 2]}, hue, saturation, brightness);
    out[4 * i] = c.blue;
    out[4 * i + 1] = c.green;
    out[4 * i + 2] = c.red;
  }
  HBRUSH brush = CreateDIBPatternBrushPt(info, DIB_RGB_COLORS);
  HeapFree(GetProcessHeap(), 0, info);
  return brush;
}

HFONT CreateCaptionFont(int height, int weight) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW font{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font = metrics.lfCaptionFont;
  } else {
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  }
  font.lfHeight = -height;
  font.lfWidth = 0;
  font.lfWeight = weight;
  return CreateFontIndirectW(&font);
}

}  // namespace

Theme* CreateTheme(const she::SkinDescription& skin, int hue, int saturation, int brightness) {
  Theme* theme = NewState<Theme>();
  if (!theme) return nullptr;
  for (int i = 0; i < she::kColourCount; ++i) {
    theme->colours[i] = ToColorRef(she::AdjustColour(skin.colours[i], hue, saturation, brightness));
  }
  for (int i = 0; i < she::kMetricCount; ++i) theme->metrics[i] = skin.metrics[i];
  if (skin.hasTexture) {
    theme->texture = CreateTextureBrush(skin.texture, hue, saturation, brightness);
    theme->textureWidth = skin.texture.width;
    theme->textureHeight = skin.texture.height;
    theme->placement = skin.texture.placement;
  }
  theme->captionFont = CreateCaptionFont(theme->metric(she::Metric::CaptionFontHeight),
                                         theme->metric(she::Metric::CaptionFontWeight));
  theme->clientBrush = CreateSolidBrush(theme->colour(she::Colour::ClientBackground));
  if ((skin.hasTexture && !theme->texture) || !theme->captionFont || !theme->clientBrush) {
    DeleteTheme(theme);
    return nullptr;
  }
  return theme;
}

void DeleteTheme(Theme* theme) {
  if (!theme) return;
  if (theme->texture) DeleteObject(theme->texture);
  if (theme->captionFont) DeleteObject(theme->captionFont);
  if (theme->clientBrush) DeleteObject(theme->clientBrush);
  DeleteState(theme);
}

const Theme* CurrentTheme() { return current; }

Theme* ReplaceTheme(Theme* next) {
  Theme* previous = current;
  current = next;
  return previous;
}

}  // namespace skin
