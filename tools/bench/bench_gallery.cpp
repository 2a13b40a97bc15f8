// The gallery's controls repainted, styled against plain (filled in once the gallery exists).
#include "tools/bench/bench.h"

void GalleryRepaints() {}
