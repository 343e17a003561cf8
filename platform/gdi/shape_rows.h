// Rectangles, ellipses and rounded rectangles as one run of pixels per row.
// A shape's pixels are those whose centres lie inside it; its outline is
// the shape's pixels that have a row or column neighbour outside it (a
// one-pixel boundary that meets the interior without a gap or an overlap).
// Depends on: the standard library only. Knows nothing of DCs, clips or pens' widths.
#pragma once

#include <cstdint>

namespace platform::gdi {

// Pixels left .. right of a row, both included; empty when left > right.
struct RowSpan {
  int64_t left, right;
};

// Device box [left, right) x [top, bottom) with corners rounded by an
// ellipse of corner_w x corner_h pixels: the whole box for an ellipse, none
// (0) for a rectangle.
struct RoundBox {
  int64_t left, top, right, bottom;
  int64_t corner_w = 0, corner_h = 0;

  bool empty() const { return left >= right || top >= bottom; }
  RowSpan row(int64_t y) const;  // an empty span outside the box
};

// A row of the shape split into its outline runs and its interior: the
// outline is left .. left_end and right_start .. right with the interior
// between them; when left_end >= right_start the whole row is outline.
struct RowParts {
  RowSpan span;
  int64_t left_end, right_start;
};
RowParts row_parts(const RoundBox& box, int64_t y);

}  // namespace platform::gdi
