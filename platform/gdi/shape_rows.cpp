// Row runs of rectangles, ellipses and rounded rectangles, and their outlines:
// which pixels of row y a closed shape's box covers.
// Depends on: its header only. Draws nothing; the shape calls paint the runs.
#include "gdi/shape_rows.h"

#include <algorithm>
#include <cmath>

namespace platform::gdi {

RowSpan RoundBox::row(int64_t y) const {
  if (empty() || y < top || y >= bottom) return RowSpan{1, 0};
  const int64_t w = std::min(corner_w, right - left), h = std::min(corner_h, bottom - top);
  const int64_t k = std::min(y - top, bottom - 1 - y);  // rows from the nearer edge
  if (w < 2 || h < 2 || k >= (h + 1) / 2) return RowSpan{left, right - 1};
  // The corner ellipse spans columns 0 .. w-1 and rows 0 .. h-1.
  const double cx = (double(w) - 1) / 2, cy = (double(h) - 1) / 2, a = double(w) / 2, b = double(h) / 2;
  const double v = (double(k) - cy) / b;
  const double half = a * std::sqrt(std::max(0.0, 1 - v * v));
  int64_t inset = int64_t(std::ceil(cx - half - 1e-9));
  inset = std::clamp<int64_t>(inset, 0, int64_t(std::floor(cx)));  // every row keeps its middle
  return RowSpan{left + inset, right - 1 - inset};
}

RowParts row_parts(const RoundBox& box, int64_t y) {
  const RowSpan s = box.row(y), up = box.row(y - 1), down = box.row(y + 1);
  RowParts parts{s, s.right, s.left};
  if (s.left > s.right || up.left > up.right || down.left > down.right) return parts;  // an edge row
  parts.left_end = std::clamp(std::max(up.left, down.left) - 1, s.left, s.right);
  parts.right_start = std::clamp(std::min(up.right, down.right) + 1, s.left, s.right);
  return parts;
}

}  // namespace platform::gdi
