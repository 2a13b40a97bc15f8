#pragma once
// The skin in use: its colours and metrics as GDI values, and the GDI objects built from it.

#include <windows.h>

#include "skinlib/skin_format.h"

namespace skin {

struct Theme {
  COLORREF colours[she::kColourCount] = {};
  int metrics[she::kMetricCount] = {};
  HBRUSH texture = nullptr;  // tiled pattern, or null
  int textureWidth = 0, textureHeight = 0;
  unsigned placement = 0;  // she::kTextureOn... bits
  HFONT captionFont = nullptr;
  HBRUSH clientBrush = nullptr;  // solid client background, handed out for WM_CTLCOLOR*

  COLORREF colour(she::Colour c) const { return colours[static_cast<int>(c)]; }
  int metric(she::Metric m) const { return metrics[static_cast<int>(m)]; }
};

// Builds a theme from a parsed skin with the colour adjustments applied; null when a GDI
// object could not be made.
Theme* CreateTheme(const she::SkinDescription& skin, int hue, int saturation, int brightness);
void DeleteTheme(Theme* theme);

// The theme every painter uses; null until a skin was attached.
const Theme* CurrentTheme();
// Makes `next` current and returns the previous theme (the caller deletes it once nothing
// paints with it any more).
Theme* ReplaceTheme(Theme* next);

}  // namespace skin
