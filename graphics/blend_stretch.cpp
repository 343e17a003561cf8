// Stretched blends: a rectangle of the source drawn into a rectangle of the
// destination of another size, by constant alpha (through AlphaBlend for a
// premultiplied source without smoothing, else GDI+ with a colour matrix) or
// by each source pixel's own alpha (GDI+). Nearest-neighbour, or bicubic
// when smoothing. Positions are relative to each image's viewport origin.
// Depends on: state (selectors, change counting), images (GDI+ graphics),
// system libraries (AlphaBlend).

#include <climits>

#include "graphics/blend.h"
#include "graphics/system_libraries.h"

using namespace Gdiplus;

namespace frond {
namespace {

// A stretched blend's rectangles in viewport coordinates.
struct stretch_rects {
  int x, y, wd, hd, xs, ys, ws, hs;
};

// Completes the sizes: a source width or height below 1 takes the rest of
// the source from xs or ys, a destination size below 1 the source's. False
// when the source rectangle is empty.
bool complete_sizes(const IMAGE* src, stretch_rects& r) {
  const auto rest = [](int size, int from) {
    const int64_t left = int64_t(size) - from;
    return int(left > INT_MAX ? INT_MAX : left);
  };
  if (r.ws < 1) r.ws = rest(src->width, r.xs);
  if (r.hs < 1) r.hs = rest(src->height, r.ys);
  if (r.wd < 1) r.wd = r.ws;
  if (r.hd < 1) r.hd = r.hs;
  return r.ws > 0 && r.hs > 0;
}

REAL offset(int value, int origin) { return REAL(int64_t(value) + origin); }

// For its lifetime, the destination's GDI+ graphics draws in pixels: its
// world transform is saved and reset, and restored at the end.
class pixel_space {
 public:
  explicit pixel_space(IMAGE* dst) : graphics(dst->gdip_graphics()), holder(dst->graphics_holder) {
    if (graphics == nullptr) return;
    holder.record(GdipCreateMatrix(&saved));
    if (saved) holder.record(GdipGetWorldTransform(graphics, saved));
    holder.record(GdipResetWorldTransform(graphics));
  }
  ~pixel_space() {
    if (saved == nullptr) return;
    holder.record(GdipSetWorldTransform(graphics, saved));
    GdipDeleteMatrix(saved);
  }
  pixel_space(const pixel_space&) = delete;
  pixel_space& operator=(const pixel_space&) = delete;

  GpGraphics* const graphics;
  gdip_holder<GpGraphics>& holder;

 private:
  GpMatrix* saved = nullptr;
};

// Draws the source rectangle into the destination rectangle in pixel space,
// with the source's whole buffer shared (not copied) as a bitmap of
// `format`. Failures are recorded in the graphics holder and otherwise ignored.
void draw_stretched(pixel_space& space, const IMAGE* dst, const IMAGE* src, const stretch_rects& r, bool smooth,
                    PixelFormat format, GpImageAttributes* attributes) {
  gdip_holder<GpGraphics>& holder = space.holder;
  holder.record(GdipSetInterpolationMode(space.graphics, smooth ? InterpolationModeHighQualityBicubic
                                                                : InterpolationModeNearestNeighbor));
  GpBitmap* bitmap = nullptr;
  holder.record(GdipCreateBitmapFromScan0(src->width, src->height, src->width * 4, format,
                                          reinterpret_cast<BYTE*>(src->pixels), &bitmap));
  if (bitmap == nullptr) return;
  GpImage* image = reinterpret_cast<GpImage*>(bitmap);  // the flat interface's view of a bitmap
  holder.record(GdipDrawImageRectRect(space.graphics, image, offset(r.x, dst->viewport.left),
                                      offset(r.y, dst->viewport.top), REAL(r.wd), REAL(r.hd),
                                      offset(r.xs, src->viewport.left), offset(r.ys, src->viewport.top), REAL(r.ws),
                                      REAL(r.hs), UnitPixel, attributes, nullptr, nullptr));
  GdipDisposeImage(image);
}

// Image attributes that scale every pixel's alpha by alpha / 255.
GpImageAttributes* alpha_scaling(uint8_t alpha) {
  GpImageAttributes* attributes = nullptr;
  if (GdipCreateImageAttributes(&attributes) != Ok) return nullptr;
  ColorMatrix matrix = {};
  for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
  matrix.m[3][3] = float(alpha) / 255.0f;
  GdipSetImageAttributesColorMatrix(attributes, ColorAdjustTypeBitmap, TRUE, &matrix, nullptr,
                                    ColorMatrixFlagsDefault);
  return attributes;
}

// Clips drawing in pixel space to the destination's viewport (when its clip
// flag is set) or to the whole image; the clip stays after the call.
void clip_to_viewport(pixel_space& space, const IMAGE* dst) {
  const auto& vp = dst->viewport;
  const REAL left = vp.clip ? REAL(vp.left) : 0, top = vp.clip ? REAL(vp.top) : 0;
  const REAL right = vp.clip ? REAL(vp.right) : REAL(dst->width), bottom = vp.clip ? REAL(vp.bottom) : REAL(dst->height);
  GpPath* path = nullptr;
  GpRegion* region = nullptr;
  space.holder.record(GdipCreatePath(FillModeAlternate, &path));
  if (path == nullptr) return;
  space.holder.record(GdipAddPathRectangle(path, left, top, right - left, bottom - top));
  space.holder.record(GdipCreateRegionPath(path, &region));
  if (region) {
    space.holder.record(GdipSetClipRegion(space.graphics, region, CombineModeReplace));
    GdipDeleteRegion(region);
  }
  GdipDeletePath(path);
}

}  // namespace

int IMAGE::putimage_alphablend(IMAGE* dst_arg, int x, int y, int wd, int hd, uint8_t alpha, int xs, int ys, int ws,
                               int hs, bool smooth, int alphatype) const {
  check_magic(L"IMAGE::putimage_alphablend");
  IMAGE* dst = resolve_image_counting(dst_arg);
  stretch_rects r = {x, y, wd, hd, xs, ys, ws, hs};
  if (dst == nullptr || alpha == 0 || !complete_sizes(this, r)) return 0;
  if (alphatype == 1 && !smooth) {
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    dll_AlphaBlend(dst->dc, r.x, r.y, r.wd, r.hd, dc, r.xs, r.ys, r.ws, r.hs, blend);
    return 0;
  }
  pixel_space space(dst);
  if (space.graphics == nullptr) return 0;
  GpImageAttributes* attributes = alpha < 255 ? alpha_scaling(alpha) : nullptr;
  draw_stretched(space, dst, this, r, smooth, alphatype == 1 ? PixelFormat32bppPARGB : PixelFormat32bppARGB,
                 attributes);
  if (attributes) GdipDisposeImageAttributes(attributes);
  return 0;
}

int IMAGE::putimage_withalpha(IMAGE* dst_arg, int x, int y, int wd, int hd, int xs, int ys, int ws, int hs,
                              bool smooth) const {
  check_magic(L"IMAGE::putimage_withalpha");
  IMAGE* dst = resolve_image_counting(dst_arg);
  stretch_rects r = {x, y, wd, hd, xs, ys, ws, hs};
  if (dst == nullptr || !complete_sizes(this, r)) return 0;
  pixel_space space(dst);
  if (space.graphics == nullptr) return 0;
  clip_to_viewport(space, dst);
  draw_stretched(space, dst, this, r, smooth, PixelFormat32bppARGB, nullptr);
  return 0;
}

int putimage_alphablend(IMAGE* dst, IMAGE* src, int x, int y, int wd, int hd, uint8_t alpha, int xs, int ys, int ws,
                        int hs, bool smooth, int alphatype) {
  const IMAGE* source = blend_source(src, dst);
  return source ? source->putimage_alphablend(dst, x, y, wd, hd, alpha, xs, ys, ws, hs, smooth, alphatype) : 0;
}

int putimage_withalpha(IMAGE* dst, IMAGE* src, int x, int y, int wd, int hd, int xs, int ys, int ws, int hs,
                       bool smooth) {
  const IMAGE* source = blend_source(src, dst);
  return source ? source->putimage_withalpha(dst, x, y, wd, hd, xs, ys, ws, hs, smooth) : 0;
}

}  // namespace frond
