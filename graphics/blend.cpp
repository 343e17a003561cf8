// Blends of one image onto another by arithmetic on their pixel buffers:
// colour key, constant alpha, colour key with constant alpha, per-pixel
// alpha and alpha weighted by a filter image; premultiplied sources go
// through msimg32's AlphaBlend. Members are called on the source; the free
// forms take the destination first.
// Depends on: state (selectors, change counting), images, system libraries
// (AlphaBlend), blend_rows (the pixel loops). Stretched blends: blend_stretch.cpp.

#include <algorithm>

#include "graphics/blend.h"
#include "graphics/blend_rows.h"
#include "graphics/system_libraries.h"

namespace frond {
namespace {

// The rectangle of an unstretched blend: source pixel (xs + i, ys + j)
// lands on destination pixel (x + i, y + j) for 0 <= i < w, 0 <= j < h.
struct blend_area {
  int x, y, xs, ys, w, h;
};

// Clips a blend of src's rectangle (xs, ys, w, h) to (x, y) of the
// destination's viewport: to the source, to the viewport (whatever its clip
// flag) and to the destination image itself. On entry x, y are viewport
// coordinates and w or h <= 0 means to the source's edge; on return all are
// buffer coordinates. False when nothing is left. 64-bit arithmetic keeps
// every extreme argument from wrapping.
bool clip_blend_rect(const IMAGE* dst, const IMAGE* src, blend_area& a) {
  const auto& vp = dst->viewport;
  const int64_t left = std::max<int64_t>(vp.left, 0), top = std::max<int64_t>(vp.top, 0);
  const int64_t right = std::min<int64_t>(vp.right, dst->width), bottom = std::min<int64_t>(vp.bottom, dst->height);

  // The source rectangle cut to the source.
  const int64_t sx0 = std::max(a.xs, 0), sy0 = std::max(a.ys, 0);
  const int64_t sx1 = std::min<int64_t>(a.w > 0 ? int64_t(a.xs) + a.w : src->width, src->width);
  const int64_t sy1 = std::min<int64_t>(a.h > 0 ? int64_t(a.ys) + a.h : src->height, src->height);

  // Where that lands, cut to the destination.
  const int64_t dx0 = int64_t(a.x) + vp.left + (sx0 - a.xs), dy0 = int64_t(a.y) + vp.top + (sy0 - a.ys);
  const int64_t x0 = std::max(dx0, left), y0 = std::max(dy0, top);
  const int64_t x1 = std::min(dx0 + (sx1 - sx0), right), y1 = std::min(dy0 + (sy1 - sy0), bottom);
  if (sx1 <= sx0 || sy1 <= sy0 || x1 <= x0 || y1 <= y0) return false;

  a = {int(x0), int(y0), int(sx0 + (x0 - dx0)), int(sy0 + (y0 - dy0)), int(x1 - x0), int(y1 - y0)};
  return true;
}

argb_color* row_of(IMAGE* img, int x, int y) { return img->pixels + size_t(y) * size_t(img->width) + size_t(x); }
const argb_color* row_of(const IMAGE* img, int x, int y) {
  return img->pixels + size_t(y) * size_t(img->width) + size_t(x);
}

// Runs row(d, s, j) for each row j of a clipped area, top to bottom.
template <class Row>
void for_each_row(IMAGE* dst, const IMAGE* src, const blend_area& a, Row row) {
  for (int j = 0; j < a.h; ++j) row(row_of(dst, a.x, a.y + j), row_of(src, a.xs, a.ys + j), j);
}

// AlphaBlend of a clipped area, premultiplied source; each DC takes
// logical coordinates, relative to its image's viewport origin.
void alphablend_premultiplied(IMAGE* dst, const IMAGE* src, const blend_area& a, uint8_t alpha) {
  POINT dst_origin = {}, src_origin = {};
  GetViewportOrgEx(dst->dc, &dst_origin);
  GetViewportOrgEx(src->dc, &src_origin);
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  dll_AlphaBlend(dst->dc, a.x - dst_origin.x, a.y - dst_origin.y, a.w, a.h, src->dc, a.xs - src_origin.x,
                 a.ys - src_origin.y, a.w, a.h, blend);
}

}  // namespace

// ---- members: this image is the source -----------------------------------------------

int IMAGE::putimage_transparent(IMAGE* dst_arg, int x, int y, argb_color key, int xs, int ys, int w, int h) const {
  check_magic(L"IMAGE::putimage_transparent");
  IMAGE* dst = resolve_image_counting(dst_arg);
  blend_area a = {x, y, xs, ys, w, h};
  if (dst == nullptr || !clip_blend_rect(dst, this, a)) return 0;
  for_each_row(dst, this, a, [&](argb_color* d, const argb_color* s, int) { transparent_row(d, s, a.w, key); });
  return 0;
}

int IMAGE::putimage_alphablend(IMAGE* dst_arg, int x, int y, uint8_t alpha, int xs, int ys, int w, int h,
                               int alphatype) const {
  check_magic(L"IMAGE::putimage_alphablend");
  IMAGE* dst = resolve_image_counting(dst_arg);
  blend_area a = {x, y, xs, ys, w, h};
  if (dst == nullptr || alpha == 0 || !clip_blend_rect(dst, this, a)) return 0;
  if (alphatype == 1) {
    alphablend_premultiplied(dst, this, a, alpha);
    return 0;
  }
  for_each_row(dst, this, a, [&](argb_color* d, const argb_color* s, int) { alphablend_row(d, s, a.w, alpha); });
  return 0;
}

int IMAGE::putimage_alphatransparent(IMAGE* dst_arg, int x, int y, argb_color key, uint8_t alpha, int xs, int ys,
                                     int w, int h) const {
  check_magic(L"IMAGE::putimage_alphatransparent");
  IMAGE* dst = resolve_image_counting(dst_arg);
  blend_area a = {x, y, xs, ys, w, h};
  if (dst == nullptr || !clip_blend_rect(dst, this, a)) return 0;
  for_each_row(dst, this, a,
               [&](argb_color* d, const argb_color* s, int) { alphatransparent_row(d, s, a.w, key, alpha); });
  return 0;
}

int IMAGE::putimage_withalpha(IMAGE* dst_arg, int x, int y, int xs, int ys, int w, int h) const {
  check_magic(L"IMAGE::putimage_withalpha");
  IMAGE* dst = resolve_image_counting(dst_arg);
  blend_area a = {x, y, xs, ys, w, h};
  if (dst == nullptr || !clip_blend_rect(dst, this, a)) return 0;
  for_each_row(dst, this, a, [&](argb_color* d, const argb_color* s, int) { withalpha_row(d, s, a.w); });
  return 0;
}

int IMAGE::putimage_alphafilter(IMAGE* dst_arg, int x, int y, const IMAGE* filter, int xs, int ys, int w,
                                int h) const {
  check_magic(L"IMAGE::putimage_alphafilter");
  IMAGE* dst = resolve_image_counting(dst_arg);
  blend_area a = {x, y, xs, ys, w, h};
  // The filter must be a real image: a selector value names none.
  if (dst == nullptr || is_selector(filter) || !clip_blend_rect(dst, this, a)) return 0;
  filter->check_magic(L"IMAGE::putimage_alphafilter");
  // The filter is read at the source's coordinates: it must cover them all.
  if (int64_t(a.xs) + a.w > filter->width || int64_t(a.ys) + a.h > filter->height) return 0;
  for_each_row(dst, this, a, [&](argb_color* d, const argb_color* s, int j) {
    alphafilter_row(d, s, row_of(filter, a.xs, a.ys + j), a.w);
  });
  return 0;
}

// ---- free forms: destination first, then the source ------------------------------------

int putimage_transparent(IMAGE* dst, IMAGE* src, int x, int y, argb_color key, int xs, int ys, int w, int h) {
  const IMAGE* source = blend_source(src, dst);
  return source ? source->putimage_transparent(dst, x, y, key, xs, ys, w, h) : 0;
}

int putimage_alphablend(IMAGE* dst, IMAGE* src, int x, int y, uint8_t alpha, int alphatype) {
  return putimage_alphablend(dst, src, x, y, alpha, 0, 0, 0, 0, alphatype);
}

int putimage_alphablend(IMAGE* dst, IMAGE* src, int x, int y, uint8_t alpha, int xs, int ys, int alphatype) {
  return putimage_alphablend(dst, src, x, y, alpha, xs, ys, 0, 0, alphatype);
}

int putimage_alphablend(IMAGE* dst, IMAGE* src, int x, int y, uint8_t alpha, int xs, int ys, int w, int h,
                        int alphatype) {
  const IMAGE* source = blend_source(src, dst);
  return source ? source->putimage_alphablend(dst, x, y, alpha, xs, ys, w, h, alphatype) : 0;
}

int putimage_alphatransparent(IMAGE* dst, IMAGE* src, int x, int y, argb_color key, uint8_t alpha, int xs, int ys,
                              int w, int h) {
  const IMAGE* source = blend_source(src, dst);
  return source ? source->putimage_alphatransparent(dst, x, y, key, alpha, xs, ys, w, h) : 0;
}

int putimage_withalpha(IMAGE* dst, IMAGE* src, int x, int y, int xs, int ys, int w, int h) {
  const IMAGE* source = blend_source(src, dst);
  return source ? source->putimage_withalpha(dst, x, y, xs, ys, w, h) : 0;
}

int putimage_alphafilter(IMAGE* dst, IMAGE* src, int x, int y, const IMAGE* filter, int xs, int ys, int w, int h) {
  const IMAGE* source = blend_source(src, dst);
  return source ? source->putimage_alphafilter(dst, x, y, filter, xs, ys, w, h) : 0;
}

}  // namespace frond
