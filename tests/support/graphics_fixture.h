// The fixture of Frond's in-process tests: puts the library's state back to
// "no window yet" around each test and reads the change counter; plus the
// shared image helpers (selectors, fills, pixel reads, changed pixels,
// boxes, viewports). Depends on: graphics/state.h (internal state). Opens no
// window (window_fixture.h does).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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

// The image argument that names page `value & 15` (1..31), or the drawing target (0).
inline frond::IMAGE* selector(uintptr_t value) { return reinterpret_cast<frond::IMAGE*>(value); }

inline void fill(frond::IMAGE* img, frond::argb_color color) {
  std::fill(img->pixels, img->pixels + size_t(img->width) * size_t(img->height), color);
}

// Every pixel of an image (width x height words).
inline std::vector<frond::argb_color> pixels_of(const frond::IMAGE* img) {
  return std::vector<frond::argb_color>(img->pixels, img->pixels + size_t(img->width) * size_t(img->height));
}

inline frond::argb_color pixel(frond::IMAGE* img, int x, int y) { return img->pixels[size_t(y) * img->width + x]; }

// Left, top, right, bottom and clip of an image's viewport (0: the drawing target).
inline std::vector<int> viewport_of(frond::IMAGE* img = nullptr) {
  int l = -1, t = -1, r = -1, b = -1, c = -1;
  frond::getviewport(&l, &t, &r, &b, &c, img);
  return {l, t, r, b, c};
}

// Fills every pixel with a value derived from its position, so that copies can be traced.
inline void paint_coordinates(frond::IMAGE* img) {
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x) img->pixels[size_t(y) * img->width + x] = 0x80000000u | (y << 12) | x;
}

// Number of pixels that differ from `before`.
inline int changed_count(const std::vector<frond::argb_color>& before, frond::IMAGE* img) {
  const std::vector<frond::argb_color> now = pixels_of(img);
  int changed = 0;
  for (size_t i = 0; i < now.size(); ++i) changed += now[i] != before[i];
  return changed;
}

// Left, top, right, bottom (exclusive) of the pixels that are not `background`.
inline std::vector<int> box_of(frond::IMAGE* img, frond::argb_color background) {
  std::vector<int> box = {img->width, img->height, 0, 0};
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x)
      if (pixel(img, x, y) != background)
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1), std::max(box[3], y + 1)};
  return box;
}

// Expects good(x, y, inside) of every pixel, where `inside` says whether it
// lies in [x0, x1) x [y0, y1); names the first pixel that fails.
template <class Good>
void expect_each_pixel(frond::IMAGE* img, int x0, int y0, int x1, int y1, Good good) {
  int wrong = 0;
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x)
      if (!good(x, y, x >= x0 && x < x1 && y >= y0 && y < y1) && wrong++ == 0)
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << pixel(img, x, y);
  EXPECT_EQ(wrong, 0);
}

// Expects the pixels in [x0, x1) x [y0, y1) to differ from `before` and all others to be as they were.
inline void expect_changed_exactly(const std::vector<frond::argb_color>& before, frond::IMAGE* img, int x0, int y0,
                                   int x1, int y1) {
  expect_each_pixel(img, x0, y0, x1, y1, [&](int x, int y, bool in) {
    return in == (pixel(img, x, y) != before[size_t(y) * img->width + x]);
  });
}

}  // namespace frond_test
