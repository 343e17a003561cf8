// Small writers of GIF, TIFF and JPEG files made with the same libraries
// the decoder uses, so that each decoder meets files of known content.
// Depends on: giflib, libtiff, libjpeg (in encoders.cpp). Checks nothing.
#pragma once

#include <cstdint>
#include <vector>

namespace imaging_test {

// An 8-bit indexed GIF: `indices` row by row, `palette` as 0xRRGGBB; a
// graphics control extension marks `transparent` when it is 0..255. With
// `left`/`top` the frame sits at that offset on a larger logical screen.
struct gif_fields {
  int screen_width = 0, screen_height = 0;
  int left = 0, top = 0, width = 0, height = 0;
  bool interlace = false;
  int transparent = -1;
  std::vector<uint32_t> palette;
  std::vector<uint8_t> indices;
};
std::vector<uint8_t> make_gif(const gif_fields& fields);

// An 8-bit RGBA TIFF with unassociated (straight) alpha; `pixels` are 0xAARRGGBB.
std::vector<uint8_t> make_tiff_rgba(int width, int height, const std::vector<uint32_t>& pixels);

// A baseline JPEG of quality 100 from RGB (components 3) or grey (1) samples.
std::vector<uint8_t> make_jpeg(int width, int height, int components, const std::vector<uint8_t>& samples);

}  // namespace imaging_test
