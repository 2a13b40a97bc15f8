#pragma once
// The PNG images compiled into the program (8-bit RGBA, 96 dpi).

#include "resources/byte_set.h"

extern const EmbeddedByteSet CloseGlyphImage;  // 38 x 18: the caption's close cross
extern const EmbeddedByteSet CheckMarkImage;   // 13 x 12: the green check-box tick
extern const EmbeddedByteSet ArrowUpImage;     // 7 x 4
extern const EmbeddedByteSet ArrowDownImage;   // 7 x 4
extern const EmbeddedByteSet ArrowLeftImage;   // 4 x 7
extern const EmbeddedByteSet ArrowRightImage;  // 4 x 7
