// AGG's renderer base over the pixels of a benchmark's image (BGRA, rows
// packed), for the references that draw with AGG directly.
// Depends on: AGG. Draws nothing itself.
#pragma once

#include <agg_pixfmt_rgba.h>
#include <agg_renderer_base.h>
#include <agg_rendering_buffer.h>

namespace bench {

struct AggCanvas {
  template <class Image>
  explicit AggCanvas(Image& image)
      : buffer(reinterpret_cast<agg::int8u*>(image.pixels), unsigned(image.width), unsigned(image.height),
               image.width * 4),
        pixels(buffer),
        base(pixels) {}
  AggCanvas(const AggCanvas&) = delete;
  AggCanvas& operator=(const AggCanvas&) = delete;
  agg::rendering_buffer buffer;
  agg::pixfmt_bgra32 pixels;
  agg::renderer_base<agg::pixfmt_bgra32> base;
};

}  // namespace bench
