// The clip of a graphics as pixels: a box outside which nothing is drawn and,
// when the clip is not that box exactly, one byte per pixel of the box (0 or
// 255: clipping is never anti-aliased). A graphics keeps the last one made and
// remakes it only when its clip or the size of its surface changes.
// Depends on: raster, region. Draws nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "gdiplus/raster.h"
#include "gdiplus/region.h"

namespace Gdiplus {

struct ClipMask {
  GpRegion::NodePtr source;  // the clip tree it was made from
  int surface_width = -1;
  int surface_height = -1;
  render::PixelBox box;
  std::vector<uint8_t> bits;  // rows of box width; empty when every pixel of the box is inside

  // The bytes of row y (inside the box), or null when the whole box is inside.
  const uint8_t* row(int y) const {
    return bits.empty() ? nullptr : bits.data() + size_t(y - box.y0) * size_t(box.x1 - box.x0);
  }
};

namespace render {

// `cache` brought up to date for `clip` (device coordinates) on a surface of the given size.
const ClipMask& update_clip_mask(ClipMask& cache, const GpRegion& clip, int width, int height);

// The pixels of `region` (device coordinates) inside `box`, one byte each
// (0 or 255), in rows of the box's width; a pixel is in when its centre is.
std::vector<uint8_t> rasterize_region(const GpRegion::Node& region, const PixelBox& box);

}  // namespace render
}  // namespace Gdiplus
