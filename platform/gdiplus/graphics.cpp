// Graphics objects: creation over a DC, the DC hand-out, the page transform
// and the rendering settings (quality modes, text settings, page unit and
// scale, rendering origin).
// Depends on: graphics.h, status. Draws nothing (render).
#include "gdiplus/graphics.h"

#include <cmath>

#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

// Logical resolution of every device here, as on a standard Windows display.
constexpr REAL kDevicePixelsPerInch = 96;

REAL device_pixels_per_unit(Unit unit) {
  switch (unit) {
    case UnitPoint:
      return kDevicePixelsPerInch / 72;
    case UnitInch:
      return kDevicePixelsPerInch;
    case UnitDocument:
      return kDevicePixelsPerInch / 300;
    case UnitMillimeter:
      return kDevicePixelsPerInch / 25.4f;
    default:  // display and pixel units are device pixels
      return 1;
  }
}

template <typename T>
GpStatus set_setting(GpGraphics* graphics, T GraphicsSettings::*field, T value, bool valid) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (!valid) return InvalidParameter;
  graphics->settings.*field = value;
  return Ok;
}

template <typename T>
GpStatus get_setting(GpGraphics* graphics, T GraphicsSettings::*field, T* out) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (out == nullptr) return InvalidParameter;
  *out = graphics->settings.*field;
  return Ok;
}

// GDI+ reports the mode it actually uses for the generic requests.
InterpolationMode effective_interpolation(InterpolationMode mode) {
  switch (mode) {
    case InterpolationModeDefault:
    case InterpolationModeLowQuality:
      return InterpolationModeBilinear;
    case InterpolationModeHighQuality:
      return InterpolationModeHighQualityBicubic;
    default:
      return mode;
  }
}

}  // namespace

GpMatrix GpGraphics::world_to_device() const {
  const REAL scale = settings.page_scale * device_pixels_per_unit(settings.page_unit);
  GpMatrix matrix = settings.world;
  matrix.combine(GpMatrix::scaling(scale, scale), MatrixOrderAppend);
  return matrix;
}

namespace detail {

GpStatus usable(const GpGraphics* graphics) {
  return graphics == nullptr ? InvalidParameter : Ok;
}

}  // namespace detail

GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics) {
  if (dc == nullptr || graphics == nullptr) return InvalidParameter;
  const DWORD type = GetObjectType(dc);
  if (type != OBJ_DC && type != OBJ_MEMDC) return InvalidParameter;
  return detail::guard_allocation([&] {
    *graphics = new GpGraphics(dc);
    return Ok;
  });
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics) {
  if (graphics == nullptr) return InvalidParameter;
  delete graphics;
  return Ok;
}

GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode) {
  return set_setting(graphics, &GraphicsSettings::smoothing, mode,
                     detail::in_range(mode, SmoothingModeDefault, SmoothingModeAntiAlias8x8));
}

GpStatus GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode) {
  return get_setting(graphics, &GraphicsSettings::smoothing, mode);
}

GpStatus GdipSetPixelOffsetMode(GpGraphics* graphics, PixelOffsetMode mode) {
  return set_setting(graphics, &GraphicsSettings::pixel_offset, mode,
                     detail::in_range(mode, PixelOffsetModeDefault, PixelOffsetModeHalf));
}

GpStatus GdipGetPixelOffsetMode(GpGraphics* graphics, PixelOffsetMode* mode) {
  return get_setting(graphics, &GraphicsSettings::pixel_offset, mode);
}

GpStatus GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode) {
  return set_setting(graphics, &GraphicsSettings::interpolation, effective_interpolation(mode),
                     detail::in_range(mode, InterpolationModeDefault, InterpolationModeHighQualityBicubic));
}

GpStatus GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode) {
  return get_setting(graphics, &GraphicsSettings::interpolation, mode);
}

GpStatus GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint hint) {
  return set_setting(graphics, &GraphicsSettings::text_hint, hint,
                     detail::in_range(hint, TextRenderingHintSystemDefault, TextRenderingHintClearTypeGridFit));
}

GpStatus GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* hint) {
  return get_setting(graphics, &GraphicsSettings::text_hint, hint);
}

GpStatus GdipSetTextContrast(GpGraphics* graphics, UINT contrast) {
  return set_setting(graphics, &GraphicsSettings::text_contrast, contrast, contrast <= 12);
}

GpStatus GdipGetTextContrast(GpGraphics* graphics, UINT* contrast) {
  return get_setting(graphics, &GraphicsSettings::text_contrast, contrast);
}

GpStatus GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode) {
  return set_setting(graphics, &GraphicsSettings::compositing_mode, mode,
                     detail::in_range(mode, CompositingModeSourceOver, CompositingModeSourceCopy));
}

GpStatus GdipGetCompositingMode(GpGraphics* graphics, CompositingMode* mode) {
  return get_setting(graphics, &GraphicsSettings::compositing_mode, mode);
}

GpStatus GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality) {
  return set_setting(graphics, &GraphicsSettings::compositing_quality, quality,
                     detail::in_range(quality, CompositingQualityDefault, CompositingQualityAssumeLinear));
}

GpStatus GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality) {
  return get_setting(graphics, &GraphicsSettings::compositing_quality, quality);
}

// UnitWorld is no page unit.
GpStatus GdipSetPageUnit(GpGraphics* graphics, GpUnit unit) {
  return set_setting(graphics, &GraphicsSettings::page_unit, unit, detail::in_range(unit, UnitDisplay, UnitMillimeter));
}

GpStatus GdipGetPageUnit(GpGraphics* graphics, GpUnit* unit) {
  return get_setting(graphics, &GraphicsSettings::page_unit, unit);
}

GpStatus GdipSetPageScale(GpGraphics* graphics, REAL scale) {
  return set_setting(graphics, &GraphicsSettings::page_scale, scale, scale > 0 && std::isfinite(scale));
}

GpStatus GdipGetPageScale(GpGraphics* graphics, REAL* scale) {
  return get_setting(graphics, &GraphicsSettings::page_scale, scale);
}

GpStatus GdipSetRenderingOrigin(GpGraphics* graphics, INT x, INT y) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  graphics->settings.origin_x = x;
  graphics->settings.origin_y = y;
  return Ok;
}

GpStatus GdipGetRenderingOrigin(GpGraphics* graphics, INT* x, INT* y) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (detail::any_null(x, y)) return InvalidParameter;
  *x = graphics->settings.origin_x;
  *y = graphics->settings.origin_y;
  return Ok;
}

}  // namespace Gdiplus
