// Coverage fields from AGG's cells: the lines go into a cell rasteriser (on
// the sub-pixel grid directly, or through AGG's clipper exactly as the
// scanline rasteriser feeds it), and each row's sorted cells are summed the
// way the rasteriser's sweep sums them.
// Depends on: AGG's rasteriser cells and clipper. Composites nothing.
#include "gdiplus/coverage_field.h"

#include <agg_rasterizer_cells_aa.h>
#include <agg_rasterizer_scanline_aa.h>  // cell_aa
#include <agg_rasterizer_sl_clip.h>

#include <cmath>

namespace Gdiplus::render {
namespace {

using Cells = agg::rasterizer_cells_aa<agg::cell_aa>;
static_assert(kSubpixelShift == agg::poly_subpixel_shift, "the grid is the rasteriser's");

// Per pixel: (cover of the row's cells up to and including it) x 2^9 minus
// the area of its own cells, as the sweep computes before the fill rule.
CoverageField field_of_cells(Cells& cells) {
  CoverageField field;
  cells.sort_cells();
  if (cells.total_cells() == 0) return field;
  field.box = PixelBox{cells.min_x(), cells.min_y(), cells.max_x() + 1, cells.max_y() + 1};
  const int width = field.box.x1 - field.box.x0;
  field.sums.assign(size_t(width) * size_t(field.box.y1 - field.box.y0), 0);
  for (int y = field.box.y0; y < field.box.y1; ++y) {
    int32_t* row = field.sums.data() + size_t(y - field.box.y0) * size_t(width);
    unsigned left = cells.scanline_num_cells(unsigned(y));
    const agg::cell_aa* const* cell = cells.scanline_cells(unsigned(y));
    int cover = 0;
    while (left > 0) {
      const int x = (*cell)->x;
      int area = 0;
      for (; left > 0 && (*cell)->x == x; --left, ++cell) {
        area += (*cell)->area;
        cover += (*cell)->cover;
      }
      // cover x 2^9, as the sweep's shift (written as a product: cover may be negative)
      const int32_t scaled = cover * (1 << (agg::poly_subpixel_shift + 1));
      row[x - field.box.x0] = scaled - area;
      const int next = left > 0 ? (*cell)->x : x + 1;
      for (int between = x + 1; between < next; ++between) row[between - field.box.x0] = scaled;
    }
  }
  field.alpha.resize(field.sums.size());
  for (size_t i = 0; i < field.sums.size(); ++i) field.alpha[i] = nonzero_alpha(field.sums[i]);
  return field;
}

}  // namespace

CoverageField field_of_code(const int32_t* code, size_t size) {
  Cells cells;
  for (size_t at = 0; at < size;) {
    const size_t count = size_t(code[at++]);
    const int32_t* p = code + at;
    for (size_t i = 1; i < count; ++i) cells.line(p[2 * i - 2], p[2 * i - 1], p[2 * i], p[2 * i + 1]);
    if (count >= 2) cells.line(p[2 * count - 2], p[2 * count - 1], p[0], p[1]);
    at += 2 * count;
  }
  return field_of_cells(cells);
}

CoverageField clipped_field(const std::vector<Contour>& contours, const PixelBox& clip) {
  Cells cells;
  agg::rasterizer_sl_clip_dbl clipper;
  clipper.clip_box(clip.x0, clip.y0, clip.x1, clip.y1);
  for (const Contour& contour : contours) {
    bool started = false, drawn = false;
    double start_x = 0, start_y = 0;
    for (const GpPointF& p : contour) {
      if (!std::isfinite(p.X) || !std::isfinite(p.Y)) continue;
      if (started) {
        clipper.line_to(cells, p.X, p.Y);
        drawn = true;
      } else {
        clipper.move_to(start_x = p.X, start_y = p.Y);
        started = true;
      }
    }
    if (drawn) clipper.line_to(cells, start_x, start_y);
  }
  return field_of_cells(cells);
}

}  // namespace Gdiplus::render
