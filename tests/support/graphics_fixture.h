// A fixture that puts the library's state back to "no window yet" around each
// test, and small helpers for reading image pixels.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "graphics/frond.h"
#include "graphics/state.h"

namespace frond_test {

class GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override { reset(); }

  static void reset() {
    frond::graphics_state& s = frond::state();
    for (frond::IMAGE*& page : s.pages) page = nullptr;
    s.draw_target = nullptr;
    s.set_target = nullptr;
    s.active_page = 0;
    s.update_counter = 255;
    s.stop_flags = 0;
  }

  static int counter() { return frond::state().update_counter.load(); }
};

// Every pixel of an image (width x height words).
inline std::vector<frond::argb_color> pixels_of(frond::IMAGE* img) {
  return std::vector<frond::argb_color>(img->pixels, img->pixels + size_t(img->width) * size_t(img->height));
}

inline frond::argb_color pixel(frond::IMAGE* img, int x, int y) { return img->pixels[size_t(y) * img->width + x]; }

// Fills every pixel with a value derived from its position, so that copies can be traced.
inline void paint_coordinates(frond::IMAGE* img) {
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x) img->pixels[size_t(y) * img->width + x] = 0x80000000u | (y << 12) | x;
}

}  // namespace frond_test
