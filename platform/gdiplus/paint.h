// Paints: the colour a brush (or an image being drawn) gives each device
// pixel of one drawing call, made from the brush and the graphics' device
// space when the call starts.
// Depends on: brush, matrix, raster. Does not clip or composite (canvas).
#pragma once

#include <memory>

#include "gdiplus/brush.h"
#include "gdiplus/matrix.h"
#include "gdiplus/raster.h"

namespace Gdiplus::render {

// How world coordinates land on the device for one drawing call.
struct DeviceSpace {
  GpMatrix world_to_pixels;  // world to device coordinates, pixel (i, j) being [i, i+1) x [j, j+1)
  GpMatrix pixels_to_world;  // its inverse
  bool antialias = false;
  PixelBox box;              // the pixels that may change: surface and clip
};

class Paint {
 public:
  virtual ~Paint() = default;
  // Straight ARGB colours of pixels x .. x+len-1 of row y, taken at their centres.
  virtual void colors(int y, int x, int len, ARGB* out) = 0;

  // Where those colours are picked from one source row through a column
  // table, each alpha then scaled to round(alpha x weight / 255), gather()
  // says so and the canvas reads the row itself; otherwise it returns false.
  struct RowGather {
    const ARGB* row;         // words 0 .. width-1 may be read
    int width;
    const int32_t* columns;  // the word of each pixel of the span
    uint32_t alpha_weight;   // 0..255
  };
  virtual bool gather(int /*y*/, int /*x*/, int /*len*/, RowGather& /*out*/) const { return false; }

  bool uniform = false;  // every pixel gets `color`
  ARGB color = 0;

 protected:
  Paint() = default;
};

// The paint of `brush`; brush kinds without a paint give null.
std::unique_ptr<Paint> make_paint(const GpBrush& brush, const DeviceSpace& space);

// A uniform paint of one colour.
std::unique_ptr<Paint> make_solid_paint(ARGB color);

// Straight ARGB channels mixed: `a` + (`b` - `a`) x t for t in [0, 1].
ARGB mix_colors(ARGB a, ARGB b, double t);

}  // namespace Gdiplus::render
