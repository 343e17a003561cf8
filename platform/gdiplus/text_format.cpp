// String formats. Only the generic typographic format exists as a starting
// point: it is made once and shared by the whole process; clones are owned
// by their callers.
// Depends on: text_objects, status. Lays out nothing.
#include "gdiplus/status.h"
#include "gdiplus/text_objects.h"

namespace Gdiplus {

GpStatus GdipStringFormatGetGenericTypographic(GpStringFormat** format) {
  if (format == nullptr) return InvalidParameter;
  static GpStringFormat* const typographic = new GpStringFormat(true);
  *format = typographic;
  return Ok;
}

GpStatus GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** clone) {
  if (detail::any_null(format, clone)) return InvalidParameter;
  return detail::guard_allocation([&] {
    auto* copy = new GpStringFormat(false);
    copy->align = format->align;
    *clone = copy;
    return Ok;
  });
}

GpStatus GdipDeleteStringFormat(GpStringFormat* format) {
  if (format == nullptr) return InvalidParameter;
  if (!format->shared) delete format;
  return Ok;
}

GpStatus GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align) {
  if (format == nullptr || !detail::in_range(align, StringAlignmentNear, StringAlignmentFar)) return InvalidParameter;
  format->align = align;
  return Ok;
}

GpStatus GdipGetStringFormatAlign(GpStringFormat* format, StringAlignment* align) {
  if (detail::any_null(format, align)) return InvalidParameter;
  *align = format->align;
  return Ok;
}

}  // namespace Gdiplus
