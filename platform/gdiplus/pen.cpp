// Pen objects: creation, deletion and the flat getters and setters (colour,
// width, dash style with its predefined patterns, caps, join, miter limit).
// Depends on: the pen class and status helpers. Strokes nothing: stroke.cpp does.
#include "gdiplus/pen.h"

#include <algorithm>
#include <cmath>

#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

bool valid_width(REAL width) { return width >= 0; }  // also false for NaN

bool valid_cap(LineCap cap) {
  return detail::in_range(cap, LineCapFlat, LineCapTriangle) || detail::in_range(cap, LineCapNoAnchor, LineCapArrowAnchor);
}

// The dash and gap lengths GDI+ uses for the predefined styles.
std::vector<REAL> predefined_pattern(DashStyle style) {
  switch (style) {
    case DashStyleDash:
      return {3, 1};
    case DashStyleDot:
      return {1, 1};
    case DashStyleDashDot:
      return {3, 1, 1, 1};
    case DashStyleDashDotDot:
      return {3, 1, 1, 1, 1, 1};
    default:
      return {};
  }
}

template <typename T>
GpStatus get(const GpPen* pen, T GpPen::*field, T* out) {
  if (detail::any_null(pen, out)) return InvalidParameter;
  *out = pen->*field;
  return Ok;
}

template <typename T>
GpStatus set(GpPen* pen, T GpPen::*field, T value, bool valid) {
  if (pen == nullptr || !valid) return InvalidParameter;
  pen->*field = value;
  return Ok;
}

}  // namespace

GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen) {
  if (pen == nullptr || !valid_width(width) || !detail::in_range(unit, UnitWorld, UnitMillimeter)) return InvalidParameter;
  return detail::guard_allocation([&] {
    *pen = new GpPen(color, width, unit);
    return Ok;
  });
}

GpStatus GdipDeletePen(GpPen* pen) {
  if (pen == nullptr) return InvalidParameter;
  delete pen;
  return Ok;
}

GpStatus GdipSetPenColor(GpPen* pen, ARGB color) {
  if (pen == nullptr) return InvalidParameter;
  return detail::guard_allocation([&] {
    pen->brush = std::make_unique<GpSolidFill>(color);
    return Ok;
  });
}

GpStatus GdipSetPenWidth(GpPen* pen, REAL width) { return set(pen, &GpPen::width, width, valid_width(width)); }

GpStatus GdipGetPenWidth(GpPen* pen, REAL* width) { return get(pen, &GpPen::width, width); }

// A predefined style brings its own pattern; Custom keeps the current one.
GpStatus GdipSetPenDashStyle(GpPen* pen, DashStyle style) {
  if (pen == nullptr || !detail::in_range(style, DashStyleSolid, DashStyleCustom)) return InvalidParameter;
  return detail::guard_allocation([&] {
    if (style != DashStyleCustom) pen->dash_pattern = predefined_pattern(style);
    pen->dash_style = style;
    return Ok;
  });
}

GpStatus GdipGetPenDashStyle(GpPen* pen, DashStyle* style) { return get(pen, &GpPen::dash_style, style); }

GpStatus GdipSetPenStartCap(GpPen* pen, GpLineCap cap) { return set(pen, &GpPen::start_cap, cap, valid_cap(cap)); }

GpStatus GdipGetPenStartCap(GpPen* pen, GpLineCap* cap) { return get(pen, &GpPen::start_cap, cap); }

GpStatus GdipSetPenEndCap(GpPen* pen, GpLineCap cap) { return set(pen, &GpPen::end_cap, cap, valid_cap(cap)); }

GpStatus GdipSetPenLineJoin(GpPen* pen, GpLineJoin join) {
  return set(pen, &GpPen::line_join, join, detail::in_range(join, LineJoinMiter, LineJoinMiterClipped));
}

// Limits below 1 are stored as 1, as GDI+ does.
GpStatus GdipSetPenMiterLimit(GpPen* pen, REAL limit) {
  return set(pen, &GpPen::miter_limit, limit < 1 ? REAL(1) : limit, !std::isnan(limit));
}

}  // namespace Gdiplus
