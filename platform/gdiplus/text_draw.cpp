// GdipDrawString: the text's glyph outlines gathered into one path and
// filled with the brush, so the world transform, clip and compositing of the
// graphics apply as to any fill. Advances are the unhinted design advances;
// each line's box starts at the layout rectangle's top, one line spacing
// (cell height plus line gap) below the previous line.
#include <cwchar>
#include <string>

#include "fonts/fonts.h"
#include "gdiplus/status.h"
#include "gdiplus/text_objects.h"

namespace Gdiplus {
namespace {

using platform::fonts::Outline;
using platform::fonts::OutlineRef;

// Adds one line of outlines with its pen starting at (x, baseline); y runs down.
GpStatus add_line(GpPath* path, const std::vector<OutlineRef>& glyphs, double x, double baseline) {
  std::vector<GpPointF> points;
  for (const OutlineRef& ref : glyphs) {
    const Outline& g = *ref;
    for (const auto& contour : g.contours) {
      points.clear();
      for (const Outline::Point& p : contour) points.push_back({REAL(x + p.x), REAL(baseline - p.y)});
      if (points.size() < 3) continue;
      GpStatus status = GdipAddPathPolygon(path, points.data(), INT(points.size()));
      if (status != Ok) return status;
    }
    x += g.advance;
  }
  return Ok;
}

double line_width(const std::vector<OutlineRef>& glyphs) {
  double w = 0;
  for (const OutlineRef& g : glyphs) w += g->advance;
  return w;
}

GpStatus fill_antialiased(GpGraphics* graphics, const GpBrush* brush, GpPath* path) {
  TextRenderingHint hint = TextRenderingHintSystemDefault;
  SmoothingMode previous = SmoothingModeDefault;
  GdipGetTextRenderingHint(graphics, &hint);
  GdipGetSmoothingMode(graphics, &previous);
  const bool single_bit = hint == TextRenderingHintSingleBitPerPixel || hint == TextRenderingHintSingleBitPerPixelGridFit;
  GdipSetSmoothingMode(graphics, single_bit ? SmoothingModeNone : SmoothingModeAntiAlias);
  const GpStatus status = GdipFillPath(graphics, const_cast<GpBrush*>(brush), path);
  GdipSetSmoothingMode(graphics, previous);
  return status;
}

GpStatus draw(GpGraphics* graphics, const std::u32string& text, const GpFont& font, const GpRectF& layout,
              StringAlignment align, const GpBrush* brush) {
  const auto realised = platform::fonts::realise(font.record);
  if (!realised) return FontFamilyNotFound;
  const platform::fonts::Metrics& m = realised->metrics();
  GpPath* path = nullptr;
  GpStatus status = GdipCreatePath(FillModeWinding, &path);
  if (status != Ok) return status;
  const double spacing = m.height + m.external_leading;
  double top = layout.Y;
  for (size_t start = 0; start <= text.size() && status == Ok; top += spacing) {
    size_t end = text.find(U'\n', start);
    if (end == std::u32string::npos) end = text.size();
    const size_t length = end > start && text[end - 1] == U'\r' ? end - start - 1 : end - start;
    const std::vector<OutlineRef> glyphs = realised->outlines(text.data() + start, length);
    const double w = line_width(glyphs);
    double x = layout.X;
    if (align == StringAlignmentCenter) x += (layout.Width - w) / 2;
    else if (align == StringAlignmentFar) x += layout.Width - w;
    const double baseline = top + m.ascent;
    status = add_line(path, glyphs, x, baseline);
    if (status == Ok && m.underline && w > 0)
      status = GdipAddPathRectangle(path, REAL(x), REAL(baseline + m.underline_offset), REAL(w), REAL(m.underline_thickness));
    if (status == Ok && m.strike_out && w > 0)
      status = GdipAddPathRectangle(path, REAL(x), REAL(baseline - m.strikeout_offset), REAL(w), REAL(m.strikeout_thickness));
    start = end + 1;
  }
  if (status == Ok) status = fill_antialiased(graphics, brush, path);
  GdipDeletePath(path);
  return status;
}

}  // namespace

GpStatus GdipDrawString(GpGraphics* graphics, const WCHAR* text, INT length, const GpFont* font,
                        const GpRectF* layout, const GpStringFormat* format, const GpBrush* brush) {
  if (detail::any_null(graphics, text, font, layout, brush) || length < -1) return InvalidParameter;
  const size_t count = length == -1 ? std::wcslen(text) : static_cast<size_t>(length);
  const StringAlignment align = format != nullptr ? format->align : StringAlignmentNear;
  return detail::guard_allocation(
      [&] { return draw(graphics, platform::fonts::code_points(text, count), *font, *layout, align, brush); });
}

}  // namespace Gdiplus
