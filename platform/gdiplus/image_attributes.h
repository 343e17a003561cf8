// GpImageAttributes: how image drawing changes the colours it takes from the
// source (a colour matrix).
// Depends on: gdiplus.h. Only the colour matrix: no remap tables, gamma or thresholds.
#pragma once

#include "platform/gdiplus.h"

namespace Gdiplus {

class GpImageAttributes {
 public:
  // `color` (straight ARGB) through the colour matrix, when one is set.
  ARGB recolor(ARGB color) const;
  // True when each channel of the matrix's result depends on that channel of
  // the input alone (no mixing between red, green, blue and alpha).
  bool acts_per_channel() const;

  bool has_matrix = false;
  ColorMatrix matrix{};
};

}  // namespace Gdiplus
