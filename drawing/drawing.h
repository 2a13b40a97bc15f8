#pragma once
// The whole drawing layer.

#include "drawing/drawing_object.h"
#include "drawing/fonts_text.h"
#include "drawing/graphics.h"
#include "drawing/paths_regions.h"
#include "drawing/pens_brushes.h"
#include "drawing/session_images.h"
