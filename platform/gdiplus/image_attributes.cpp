// Image attribute objects and their colour matrix: creating, disposing,
// setting the matrix and recolouring one straight ARGB pixel through it.
// Depends on: status helpers. Samples no images: image_sampler.cpp does.
#include "gdiplus/image_attributes.h"

#include <algorithm>
#include <cmath>

#include "gdiplus/brush_kinds.h"
#include "gdiplus/status.h"

namespace Gdiplus {

// The colour as the row [r g b a 1] (each 0..1) times the 5x5 matrix.
ARGB GpImageAttributes::recolor(ARGB color) const {
  if (!has_matrix) return color;
  const double in[5] = {((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0,
                        (color >> 24) / 255.0, 1.0};
  const int shifts[4] = {16, 8, 0, 24};  // r, g, b, a
  ARGB out = 0;
  for (int j = 0; j < 4; ++j) {
    double v = 0;
    for (int i = 0; i < 5; ++i) v += in[i] * matrix.m[i][j];
    const double clamped = std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0);
    out |= ARGB(std::lround(clamped * 255)) << shifts[j];
  }
  return out;
}

bool GpImageAttributes::acts_per_channel() const {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (i != j && matrix.m[i][j] != 0) return false;
  return true;
}

GpStatus GdipCreateImageAttributes(GpImageAttributes** attributes) {
  if (attributes == nullptr) return InvalidParameter;
  return detail::guard_allocation([&] {
    *attributes = new GpImageAttributes;
    return Ok;
  });
}

GpStatus GdipDisposeImageAttributes(GpImageAttributes* attributes) {
  if (attributes == nullptr) return InvalidParameter;
  delete attributes;
  return Ok;
}

// Only bitmap drawing reads the attributes here, so the default and bitmap
// adjustments set the matrix and the others are accepted and unused.
GpStatus GdipSetImageAttributesColorMatrix(GpImageAttributes* attributes, ColorAdjustType type, BOOL enable,
                                           const ColorMatrix* matrix, const ColorMatrix*, ColorMatrixFlags flags) {
  if (attributes == nullptr || !detail::in_range(type, ColorAdjustTypeDefault, ColorAdjustTypeText) ||
      !detail::in_range(flags, ColorMatrixFlagsDefault, ColorMatrixFlagsAltGray) || (enable && matrix == nullptr))
    return InvalidParameter;
  if (type != ColorAdjustTypeDefault && type != ColorAdjustTypeBitmap) return Ok;
  attributes->has_matrix = enable != FALSE;
  if (enable) attributes->matrix = *matrix;
  return Ok;
}

}  // namespace Gdiplus
