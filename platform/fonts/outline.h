// Glyph outlines as polygons: FreeType's lines, quadratic and cubic curves
// flattened into short segments.
// Depends on: fonts.h. Fills nothing: the GDI+ path code fills the polygons.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include "fonts/fonts.h"

namespace platform::fonts {

// The contours of `outline` (26.6 pixels) in pixels; false when FreeType cannot walk it.
bool flatten_outline(const FT_Outline& outline, Outline* out);

}  // namespace platform::fonts
