// GdipDrawString: the text's glyph outlines gathered into one path and
// filled with the brush, so the world transform, clip and compositing of the
// graphics apply as to any fill; the fill goes glyph by glyph through the
// glyph cache where it can.
// Depends on: fonts (realising the font), text_outline (via text_objects), render (fill_text). No hinted
// glyph bitmaps.
#include <cwchar>
#include <string>
#include <vector>

#include "fonts/fonts.h"
#include "gdiplus/render.h"
#include "gdiplus/status.h"
#include "gdiplus/text_objects.h"

namespace Gdiplus {
namespace {

GpStatus fill_antialiased(GpGraphics* graphics, const GpBrush* brush, const GpPath& path,
                          const std::vector<size_t>& piece_ends) {
  TextRenderingHint hint = TextRenderingHintSystemDefault;
  SmoothingMode previous = SmoothingModeDefault;
  GdipGetTextRenderingHint(graphics, &hint);
  GdipGetSmoothingMode(graphics, &previous);
  const bool single_bit = hint == TextRenderingHintSingleBitPerPixel || hint == TextRenderingHintSingleBitPerPixelGridFit;
  GdipSetSmoothingMode(graphics, single_bit ? SmoothingModeNone : SmoothingModeAntiAlias);
  GpStatus status = detail::usable(graphics);
  if (status == Ok) status = render::fill_text(*graphics, *brush, path, piece_ends);
  GdipSetSmoothingMode(graphics, previous);
  return status;
}

GpStatus draw(GpGraphics* graphics, const std::u32string& text, const GpFont& font, const GpRectF& layout,
              StringAlignment align, const GpBrush* brush) {
  const auto realised = platform::fonts::realise(font.record);
  if (!realised) return FontFamilyNotFound;
  GpPath* path = nullptr;
  GpStatus status = GdipCreatePath(FillModeWinding, &path);
  if (status != Ok) return status;
  std::vector<size_t> piece_ends;
  status = detail::add_text_outlines(path, *realised, 1.0, text, layout, align, &piece_ends);
  if (status == Ok) status = fill_antialiased(graphics, brush, *path, piece_ends);
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
