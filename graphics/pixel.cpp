// Single pixels read and written directly in an image's buffer, without
// GDI: plain values, arrays of points, the colour under the pixel's alpha
// and the colour blended into the pixel. Plain forms take viewport
// coordinates and write only inside the viewport; _f forms take pixel
// coordinates. Every write is also bounded by the image itself.
// Depends on: state (selectors, change counting), blend_math.h.

#include "graphics/blend_math.h"
#include "graphics/state.h"

namespace frond {
namespace {

// The pixel at buffer coordinates, or null outside the image.
argb_color* pixel_at(IMAGE* img, int64_t x, int64_t y) {
  if (x < 0 || y < 0 || x >= img->width || y >= img->height) return nullptr;
  return img->pixels + size_t(y) * size_t(img->width) + size_t(x);
}

// The pixel at viewport coordinates, or null outside the viewport.
argb_color* viewport_pixel(IMAGE* img, int x, int y) {
  const auto& vp = img->viewport;
  const int64_t px = int64_t(x) + vp.left, py = int64_t(y) + vp.top;
  if (px >= vp.right || py >= vp.bottom || x < 0 || y < 0) return nullptr;
  return pixel_at(img, px, py);
}

// Resolves the image (counting selector 0) and rewrites the pixel that
// `locate` finds with write(old value).
template <class Locate, class Write>
void write_pixel(IMAGE* img_arg, int x, int y, Locate locate, Write write) {
  IMAGE* img = resolve_image_counting(img_arg);
  if (img == nullptr) return;
  if (argb_color* p = locate(img, x, y)) *p = write(*p);
}

argb_color* absolute_pixel(IMAGE* img, int x, int y) { return pixel_at(img, x, y); }

template <class Locate>
void write_points(int count, const int* points, IMAGE* img_arg, Locate locate) {
  IMAGE* img = resolve_image_counting(img_arg);
  if (img == nullptr || points == nullptr) return;
  for (int i = 0; i < count; ++i) {
    const int* record = points + size_t(i) * 3;  // x, y, colour
    if (argb_color* p = locate(img, record[0], record[1])) *p = argb_color(record[2]);
  }
}

argb_color keep_alpha(argb_color pixel, argb_color color) { return (color & 0x00FFFFFF) | (pixel & 0xFF000000); }

}  // namespace

argb_color getpixel(int x, int y, IMAGE* img_arg) {
  IMAGE* img = resolve_image(img_arg);
  if (img == nullptr) return 0;
  const argb_color* p = pixel_at(img, int64_t(x) + img->viewport.left, int64_t(y) + img->viewport.top);
  return p ? *p : 0;
}

argb_color getpixel_f(int x, int y, IMAGE* img_arg) {
  IMAGE* img = resolve_image(img_arg);
  if (img == nullptr) return 0;
  const argb_color* p = pixel_at(img, x, y);
  return p ? *p : 0;
}

void putpixel(int x, int y, argb_color color, IMAGE* img) {
  write_pixel(img, x, y, viewport_pixel, [=](argb_color) { return color; });
}

void putpixel_f(int x, int y, argb_color color, IMAGE* img) {
  write_pixel(img, x, y, absolute_pixel, [=](argb_color) { return color; });
}

void putpixels(int count, const int* points, IMAGE* img) { write_points(count, points, img, viewport_pixel); }

void putpixels_f(int count, const int* points, IMAGE* img) { write_points(count, points, img, absolute_pixel); }

void putpixel_keepalpha(int x, int y, argb_color color, IMAGE* img) {
  write_pixel(img, x, y, viewport_pixel, [=](argb_color p) { return keep_alpha(p, color); });
}

void putpixel_keepalpha_f(int x, int y, argb_color color, IMAGE* img) {
  write_pixel(img, x, y, absolute_pixel, [=](argb_color p) { return keep_alpha(p, color); });
}

void putpixel_withalpha(int x, int y, argb_color color, IMAGE* img) {
  write_pixel(img, x, y, viewport_pixel, [=](argb_color p) { return blendrgb(p, color, color >> 24); });
}

void putpixel_withalpha_f(int x, int y, argb_color color, IMAGE* img) {
  write_pixel(img, x, y, absolute_pixel, [=](argb_color p) { return blendpacked(p, color, alphato256(color >> 24)); });
}

void putpixel_alphablend(int x, int y, argb_color color, IMAGE* img) {
  write_pixel(img, x, y, viewport_pixel, [=](argb_color p) { return blendover(p, color, color >> 24); });
}

void putpixel_alphablend_f(int x, int y, argb_color color, IMAGE* img) {
  write_pixel(img, x, y, absolute_pixel, [=](argb_color p) { return blendover(p, color, color >> 24); });
}

void putpixel_alphablend(int x, int y, argb_color color, uint8_t alpha, IMAGE* img) {
  const uint32_t weight = div255round((color >> 24) * alpha);
  write_pixel(img, x, y, viewport_pixel, [=](argb_color p) { return blendover(p, color, weight); });
}

void putpixel_alphablend_f(int x, int y, argb_color color, uint8_t alpha, IMAGE* img) {
  const uint32_t weight = div255round((color >> 24) * alpha);
  write_pixel(img, x, y, absolute_pixel, [=](argb_color p) { return blendover(p, color, weight); });
}

}  // namespace frond
