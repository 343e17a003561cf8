// Font families by name and text added to paths as glyph outlines. A family
// is only a name the font mapper knows; GdipAddPathString realises it at the
// em size (whole pixels) and scales the outlines to the exact size asked.
// Depends on: fonts (face_match), path, text_objects, status. Draws nothing.
#include <algorithm>
#include <cmath>
#include <cwchar>

#include "fonts/face_match.h"
#include "gdiplus/path.h"
#include "gdiplus/status.h"
#include "gdiplus/text_objects.h"

namespace Gdiplus {
namespace {

// The largest em realised; larger text is scaled up from it.
constexpr double kLargestRealisedEm = 512;

LOGFONTW record_of(const GpFontFamily& family, INT style, double em) {
  LOGFONTW record{};
  record.lfHeight = -LONG(std::lround(std::clamp(em, 1.0, kLargestRealisedEm)));
  record.lfWeight = (style & FontStyleBold) ? FW_BOLD : FW_NORMAL;
  record.lfItalic = (style & FontStyleItalic) ? 1 : 0;
  record.lfUnderline = (style & FontStyleUnderline) ? 1 : 0;
  record.lfStrikeOut = (style & FontStyleStrikeout) ? 1 : 0;
  record.lfQuality = ANTIALIASED_QUALITY;
  std::wcsncpy(record.lfFaceName, family.name.c_str(), LF_FACESIZE - 1);
  return record;
}

}  // namespace

GpStatus GdipCreateFontFamilyFromName(const WCHAR* name, GpFontCollection* collection, GpFontFamily** family) {
  if (detail::any_null(name, family) || collection != nullptr) return InvalidParameter;
  const std::wstring given(name, wcsnlen(name, LF_FACESIZE - 1));
  if (!platform::fonts::family_known(given.c_str())) return FontFamilyNotFound;
  return detail::guard_allocation([&] {
    *family = new GpFontFamily(given);
    return Ok;
  });
}

GpStatus GdipDeleteFontFamily(GpFontFamily* family) {
  if (family == nullptr) return InvalidParameter;
  delete family;
  return Ok;
}

GpStatus GdipAddPathString(GpPath* path, const WCHAR* text, INT length, const GpFontFamily* family, INT style,
                           REAL em, const GpRectF* layout, const GpStringFormat* format) {
  if (detail::any_null(path, text, family, layout) || length < -1 || !(em > 0) || !std::isfinite(em))
    return InvalidParameter;
  const size_t count = length == -1 ? std::wcslen(text) : static_cast<size_t>(length);
  const StringAlignment align = format != nullptr ? format->align : StringAlignmentNear;
  return detail::guard_allocation([&] {
    const auto realised = platform::fonts::realise(record_of(*family, style, em));
    if (!realised) return FontFamilyNotFound;
    const double scale = em / realised->metrics().em;
    // Built aside, so that a failure leaves the path as it was.
    GpPath added(FillModeAlternate);
    const GpStatus status =
        detail::add_text_outlines(&added, *realised, scale, platform::fonts::code_points(text, count), *layout, align,
                                    nullptr);
    if (status == Ok) path->add_path(added, false);
    return status;
  });
}

}  // namespace Gdiplus
