// Laying text out as glyph outlines in a path, shared by GdipDrawString
// (which fills the path) and GdipAddPathString (which keeps it). Advances
// are the unhinted design advances; each line's box starts one line spacing
// (cell height plus line gap) below the previous line's; lines end at LF.
// Depends on: text_objects (fonts), path, status. Does not wrap lines to the layout box; draws nothing.
#include "gdiplus/path.h"
#include "gdiplus/status.h"
#include "gdiplus/text_objects.h"

namespace Gdiplus::detail {
namespace {

using platform::fonts::Outline;
using platform::fonts::OutlineRef;

// The path's point count noted as the end of a piece.
void end_piece(const GpPath* path, std::vector<size_t>* piece_ends) {
  if (piece_ends && (piece_ends->empty() || piece_ends->back() != path->points.size()))
    piece_ends->push_back(path->points.size());
}

// Adds one line of outlines with its pen starting at (x, baseline); y runs down.
GpStatus add_line(GpPath* path, const std::vector<OutlineRef>& glyphs, double x, double baseline, double scale,
                  std::vector<size_t>* piece_ends) {
  std::vector<GpPointF> points;
  for (const OutlineRef& ref : glyphs) {
    const Outline& g = *ref;
    for (const auto& contour : g.contours) {
      points.clear();
      for (const Outline::Point& p : contour) points.push_back({REAL(x + p.x * scale), REAL(baseline - p.y * scale)});
      if (points.size() < 3) continue;
      GpStatus status = GdipAddPathPolygon(path, points.data(), INT(points.size()));
      if (status != Ok) return status;
    }
    end_piece(path, piece_ends);
    x += g.advance * scale;
  }
  return Ok;
}

double line_width(const std::vector<OutlineRef>& glyphs) {
  double w = 0;
  for (const OutlineRef& g : glyphs) w += g->advance;
  return w;
}

}  // namespace

GpStatus add_text_outlines(GpPath* path, const platform::fonts::Font& font, double scale, const std::u32string& text,
                           const GpRectF& layout, StringAlignment align, std::vector<size_t>* piece_ends) {
  const platform::fonts::Metrics& m = font.metrics();
  const double spacing = (m.height + m.external_leading) * scale;
  double top = layout.Y;
  GpStatus status = Ok;
  for (size_t start = 0; start <= text.size() && status == Ok; top += spacing) {
    size_t end = text.find(U'\n', start);
    if (end == std::u32string::npos) end = text.size();
    const size_t length = end > start && text[end - 1] == U'\r' ? end - start - 1 : end - start;
    const std::vector<OutlineRef> glyphs = font.outlines(text.data() + start, length);
    const double w = line_width(glyphs) * scale;
    double x = layout.X;
    if (align == StringAlignmentCenter) x += (layout.Width - w) / 2;
    else if (align == StringAlignmentFar) x += layout.Width - w;
    const double baseline = top + m.ascent * scale;
    status = add_line(path, glyphs, x, baseline, scale, piece_ends);
    if (status == Ok && m.underline && w > 0)
      status = GdipAddPathRectangle(path, REAL(x), REAL(baseline + m.underline_offset * scale), REAL(w),
                                    REAL(m.underline_thickness * scale));
    end_piece(path, piece_ends);
    if (status == Ok && m.strike_out && w > 0)
      status = GdipAddPathRectangle(path, REAL(x), REAL(baseline - m.strikeout_offset * scale), REAL(w),
                                    REAL(m.strikeout_thickness * scale));
    end_piece(path, piece_ends);
    start = end + 1;
  }
  return status;
}

}  // namespace Gdiplus::detail
