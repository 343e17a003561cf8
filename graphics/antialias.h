// The common steps of the GDI+ drawing calls and the rounded-rectangle path.
// Internal to the library.
// Depends on: state (selectors, the image's GDI+ graphics). Draws nothing itself.
#pragma once

#include <vector>

#include "graphics/state.h"

namespace frond {

// The image an outline call draws on: resolved (selector 0 counting one
// change); null when there is none or its line style is 5 (no line).
IMAGE* outline_image(IMAGE* img);

// Makes `draw(graphics, pen)` on `image` (nothing when null) and records a
// failing status in the image's graphics.
template <typename Draw>
void stroke_on(IMAGE* image, Draw draw) {
  if (image == nullptr) return;
  Gdiplus::GpGraphics* graphics = image->gdip_graphics();
  image->graphics_holder.record(draw(graphics, image->gdip_pen()));
}

// Makes `fill(graphics, brush)` with the image's fill brush on `image`
// (nothing when null) and records a failing status in the image's graphics.
template <typename Fill>
void fill_on(IMAGE* image, Fill fill) {
  if (image == nullptr) return;
  Gdiplus::GpGraphics* graphics = image->gdip_graphics();
  image->graphics_holder.record(fill(graphics, image->gdip_brush()));
}

// The points as GDI+ points (empty for a null array or a count below 1).
std::vector<Gdiplus::GpPointF> to_gdip_points(int count, const frond_point* points);

// A source image argument: null for null and for selector values, which
// never name a source.
inline IMAGE* source_image(IMAGE* srcimg) { return is_selector(srcimg) ? nullptr : srcimg; }

// Corner radii of a rounded rectangle: top-left, top-right, bottom-right,
// bottom-left.
struct corner_radii {
  float r1, r2, r3, r4;
};

// Each radius cut to 0 .. what the sides leave after the corners before it,
// so that the radii along a side never add up to more than its length.
corner_radii clamp_corner_radii(float w, float h, corner_radii radii);

// The closed rounded-rectangle outline (alternate fill mode), or null when w
// or h is not above 0. The caller deletes it.
Gdiplus::GpPath* make_roundrect_path(float x, float y, float w, float h, corner_radii radii);

}  // namespace frond
