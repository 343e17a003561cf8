// Helpers of the GDI+ drawing tests: which pixels a call changed.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "support/graphics_fixture.h"

namespace aa_test {

using frond::argb_color;
using frond::IMAGE;

inline int red(argb_color c) { return int((c >> 16) & 0xFF); }
inline int green(argb_color c) { return int((c >> 8) & 0xFF); }
inline int blue(argb_color c) { return int(c & 0xFF); }
inline int alpha(argb_color c) { return int(c >> 24); }

// Number of pixels that differ from `before`.
inline int changed_count(const std::vector<argb_color>& before, IMAGE* img) {
  const std::vector<argb_color> now = frond_test::pixels_of(img);
  int changed = 0;
  for (size_t i = 0; i < now.size(); ++i) changed += now[i] != before[i];
  return changed;
}

// Expects the pixels in [x0, x1) x [y0, y1) to differ from `before` and all others to be as they were.
inline void expect_changed_exactly(const std::vector<argb_color>& before, IMAGE* img, int x0, int y0, int x1,
                                   int y1) {
  int wrong = 0;
  for (int y = 0; y < img->height; ++y)
    for (int x = 0; x < img->width; ++x) {
      const bool inside = x >= x0 && x < x1 && y >= y0 && y < y1;
      const bool changed = frond_test::pixel(img, x, y) != before[size_t(y) * img->width + x];
      if (inside != changed && wrong++ == 0)
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") " << (inside ? "unchanged" : "changed");
    }
  EXPECT_EQ(wrong, 0);
}

// A white image of the given size (opaque), with opaque fills in `fill`.
inline void make_white(IMAGE& img, argb_color fill) {
  frond::setbkcolor(0xFFFFFFFF, &img);
  frond::setfillcolor(fill, &img);
}

}  // namespace aa_test
