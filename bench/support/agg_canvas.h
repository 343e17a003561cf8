// AGG used directly on a benchmark's pixels, the reference of the shape and
// fill benchmarks: a BGRA renderer over an image's rows (anything with
// pixels, width and height, rows packed) that fills what a rasteriser holds,
// anti-aliased or with binary coverage.
// Depends on: AGG. Times nothing: the callers' loops stay in place.
#pragma once

#include <agg_pixfmt_rgba.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_base.h>
#include <agg_renderer_scanline.h>
#include <agg_rendering_buffer.h>
#include <agg_scanline_bin.h>
#include <agg_scanline_p.h>

#include <cstdint>

namespace bench {

struct AggCanvas {
  template <class Image>
  explicit AggCanvas(Image& image)
      : buffer(reinterpret_cast<agg::int8u*>(image.pixels), image.width, image.height, image.width * 4),
        pixels(buffer), base(pixels) {}

  // Fills the rasteriser's shapes in `argb`.
  template <class Rasterizer>
  void fill(Rasterizer& rasterizer, std::uint32_t argb, bool antialiased) {
    const agg::rgba8 colour(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF, argb >> 24);
    if (antialiased)
      agg::render_scanlines_aa_solid(rasterizer, coverage, base, colour);
    else
      agg::render_scanlines_bin_solid(rasterizer, binary, base, colour);
  }

  agg::rendering_buffer buffer;
  agg::pixfmt_bgra32 pixels;
  agg::renderer_base<agg::pixfmt_bgra32> base;
  agg::scanline_p8 coverage;
  agg::scanline_bin binary;
};

}  // namespace bench
