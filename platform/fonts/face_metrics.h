// The pixel size and metrics of a loaded face for a LOGFONT request.
// Depends on: fonts.h (the metrics record), face_match.h. Renders no glyphs.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include "fonts/face_match.h"
#include "fonts/fonts.h"

namespace platform::fonts {

struct FaceSize {
  double em = 0.0;       // pixels per em
  double x_scale = 1.0;  // horizontal stretch that makes the average width lfWidth
};

// Heights and widths beyond this many pixels are drawn at this size, so that
// no request can make glyph bitmaps of unbounded size.
constexpr int kMaxFontPixels = 2048;
// The cell height of a request for height 0.
constexpr int kDefaultCellHeight = 16;

// Metrics of `face` for `record`: a positive lfHeight is the cell height
// (ascent + descent, from the face's Windows ascent and descent), a negative
// one the em height; a non-zero lfWidth becomes the average character width.
Metrics face_metrics(FT_Face face, const LOGFONTW& record, const FaceChoice& choice, FaceSize* size);

}  // namespace platform::fonts
