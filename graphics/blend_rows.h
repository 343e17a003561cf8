// The inner loops of the unstretched blends: each rewrites n destination
// pixels of one row from the matching source pixels. Results equal those of
// processing the pixels one by one from left to right, also when the source
// (or filter) row lies in the destination's own buffer. Internal.
// Depends on: frond.h (argb_color). Does no clipping.
#pragma once

#include <cstdint>

#include "graphics/frond.h"

namespace frond {

// D = S's colour under D's alpha, unless S's colour equals the key's.
void transparent_row(argb_color* d, const argb_color* s, int n, argb_color key);
// D = blendover(D, S, div255round(S.a * alpha)).
void alphablend_row(argb_color* d, const argb_color* s, int n, uint32_t alpha);
// D = blendrgb(D, S, alpha), unless S's colour equals the key's.
void alphatransparent_row(argb_color* d, const argb_color* s, int n, argb_color key, uint32_t alpha);
// D = blendpacked(D, S, alphato256(S.a)).
void withalpha_row(argb_color* d, const argb_color* s, int n);
// D = blendover(D, S, div255round(F.b * S.a)), unless F is 0.
void alphafilter_row(argb_color* d, const argb_color* s, const argb_color* f, int n);

}  // namespace frond
