// pixman images over the pixels of a benchmark's image, released on scope
// exit, and the scaling of a source image by a ratio with a given filter.
// Depends on: pixman. Copies no pixels.
#pragma once

#include <pixman.h>

#include <memory>

namespace bench {

struct pixman_unref {
  void operator()(pixman_image_t* image) const { pixman_image_unref(image); }
};
using pixman_ptr = std::unique_ptr<pixman_image_t, pixman_unref>;

// An a8r8g8b8 image over `image`'s pixels (anything with pixels, width and
// height, rows packed).
template <class Image>
pixman_ptr pixman_wrap(Image& image) {
  return pixman_ptr(pixman_image_create_bits(PIXMAN_a8r8g8b8, image.width, image.height, image.pixels, image.width * 4));
}

// Samples `source` at (x * sx, y * sy) through `filter`.
inline void pixman_scale(pixman_image_t* source, double sx, double sy, pixman_filter_t filter,
                         const pixman_fixed_t* params = nullptr, int count = 0) {
  pixman_transform_t transform;
  pixman_transform_init_scale(&transform, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy));
  pixman_image_set_transform(source, &transform);
  pixman_image_set_filter(source, filter, params, count);
}

}  // namespace bench
