// Brushes: GpBrush is the polymorphic base every brush kind derives from;
// GpSolidFill paints one colour.
// Depends on: gdiplus.h. Paints nothing (paint.h).
#pragma once

#include "platform/gdiplus.h"

namespace Gdiplus {

class GpBrush {
 public:
  virtual ~GpBrush() = default;
  virtual BrushType type() const = 0;

 protected:
  GpBrush() = default;
  GpBrush(const GpBrush&) = default;
  GpBrush& operator=(const GpBrush&) = default;
};

class GpSolidFill : public GpBrush {
 public:
  explicit GpSolidFill(ARGB color_) : color(color_) {}
  BrushType type() const override { return BrushTypeSolidColor; }

  ARGB color;
};

}  // namespace Gdiplus
