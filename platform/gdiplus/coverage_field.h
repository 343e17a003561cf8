// Anti-aliased coverage held before the fill rule. AGG's rasteriser leaves,
// in every pixel, the sum of the signed cover and area its cells carry up to
// that pixel, and only then applies the fill rule. Those sums are linear in
// the contours: the fields of shapes rasterised one by one add up to the
// field of all of them at once, and the nonzero rule turns the total into
// the very coverage the rasteriser gives the whole (the text cache rests on
// this). A shape's field is zero outside the box of its cells.
// Depends on: AGG's cell rasteriser and clipper (in the .cpp), raster (PixelBox, Contour). Composites nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gdiplus/raster.h"

namespace Gdiplus::render {

// The rasteriser's sub-pixel grid: 1/256 pixel.
constexpr int kSubpixelShift = 8;

// A device coordinate on the sub-pixel grid, rounded half away from zero as the rasteriser rounds it.
inline int32_t to_grid(double v) {
  const double scaled = v * (1 << kSubpixelShift);
  return int32_t(scaled < 0.0 ? scaled - 0.5 : scaled + 0.5);
}

struct CoverageField {
  PixelBox box;                 // empty when the shape leaves no cells
  std::vector<int32_t> sums;    // rows of the box's width
  std::vector<uint8_t> alpha;   // nonzero_alpha of each sum
  size_t bytes() const { return sizeof(*this) + sums.size() * sizeof(int32_t) + alpha.size(); }
};

// The rasteriser's coverage (0..255) of a pixel whose sum is `sum`, under the nonzero rule.
inline uint8_t nonzero_alpha(int32_t sum) {
  int32_t cover = sum >> (kSubpixelShift + 1);  // area in 2 x 2^(2 x 8) units to 8 bits, as the rasteriser shifts
  if (cover < 0) cover = -cover;
  return uint8_t(cover > 255 ? 255 : cover);
}

// The field of closed contours given on the sub-pixel grid (1/256 pixel),
// unclipped. `code` holds, for each contour, its point count and then its
// points as x, y pairs; each contour closes back to its first point.
CoverageField field_of_code(const int32_t* code, size_t size);

// The field of closed device contours clipped to `clip` the way the
// anti-aliased rasteriser clips them (non-finite points skipped).
CoverageField clipped_field(const std::vector<Contour>& contours, const PixelBox& clip);

}  // namespace Gdiplus::render
