// The common start of every shape call: the DC, where it draws, and its pen
// and brush as shapes and inks.
// Depends on: pen_draw, shape_rows, shape_target. Draws nothing itself.
#pragma once

#include <memory>

#include "gdi/pen_draw.h"
#include "gdi/shape_rows.h"
#include "gdi/shape_target.h"

namespace platform::gdi {

struct ShapeCall {
  std::shared_ptr<DeviceContext> dc;
  ShapeTarget target;
  PenShape pen;
  bool drawable = false;  // false: nothing can be drawn (no pixels, empty clip)
};

// False for an unknown DC. Lines leave the brush out (`with_brush` false).
bool begin_shape(HDC handle, ShapeCall* call, bool with_brush = true);

// Draws the pen along `figure`, straight onto the target or into `mask`;
// cosmetic pens follow the figure's points rounded to whole pixels.
void draw_pen(const ShapeCall& call, const Figure& figure, ShapeMask* mask);

// A logical box in device coordinates, corners put in order.
RoundBox device_box(const ShapeCall& call, int left, int top, int right, int bottom);

}  // namespace platform::gdi
