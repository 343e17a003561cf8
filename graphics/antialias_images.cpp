// Whole images through GDI+: the alpha channel of an image, its texture (a
// GDI+ bitmap over its own pixels, released by a resize or deletion), and
// drawing one image onto another by the source's per-pixel alpha.
// Depends on: antialias.h (shared steps), images (the texture holder).

#include "graphics/antialias.h"

using namespace Gdiplus;

namespace frond {
namespace {

GpImage* texture_of(IMAGE* srcimg) {
  IMAGE* source = source_image(srcimg);
  return source ? reinterpret_cast<GpImage*>(source->bitmap_holder.object) : nullptr;
}

// srcimg's texture, whole or in part (pixel unit), scaled into dest on `image`.
void draw_texture(IMAGE* image, IMAGE* srcimg, const frond_rect& dest, const frond_rect* part) {
  GpImage* texture = texture_of(srcimg);
  if (image == nullptr || texture == nullptr) return;
  const frond_rect src = part ? *part : frond_rect{0, 0, float(srcimg->width), float(srcimg->height)};
  GpGraphics* graphics = image->gdip_graphics();
  image->graphics_holder.record(GdipDrawImageRectRect(graphics, texture, dest.x, dest.y, dest.w, dest.h, src.x,
                                                      src.y, src.w, src.h, UnitPixel, nullptr, nullptr, nullptr));
}

// Draws a GDI+ bitmap over srcimg's pixels (shared, not copied) on the
// resolved image with `draw(graphics, bitmap)`, then lets the bitmap go.
template <typename Draw>
void draw_pixels_of(IMAGE* img, IMAGE* srcimg, Draw draw) {
  IMAGE* image = resolve_image_counting(img);
  IMAGE* source = source_image(srcimg);
  if (image == nullptr || source == nullptr) return;
  GpBitmap* bitmap = nullptr;
  if (image->graphics_holder.record(GdipCreateBitmapFromScan0(source->width, source->height, source->width * 4,
                                                              PixelFormat32bppARGB,
                                                              reinterpret_cast<BYTE*>(source->pixels), &bitmap)) != Ok)
    return;
  GpGraphics* graphics = image->gdip_graphics();
  image->graphics_holder.record(draw(graphics, reinterpret_cast<GpImage*>(bitmap)));
  GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
}

}  // namespace

void frond_setalpha(int alpha, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr || image->dc == nullptr) return;
  const argb_color top = argb_color(alpha & 0xFF) << 24;
  const size_t count = image->width > 0 && image->height > 0 ? size_t(image->width) * size_t(image->height) : 0;
  argb_color* pixels = image->pixels;
  for (size_t i = 0; i < count; ++i) pixels[i] = (pixels[i] & 0x00FFFFFF) | top;
}

void frond_gentexture(bool generate, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image != nullptr) image->attach_gdip_bitmap(generate);
}

void frond_puttexture(IMAGE* srcimg, float x, float y, float w, float h, IMAGE* img) {
  draw_texture(resolve_image(img), srcimg, frond_rect{x, y, w, h}, nullptr);
}

void frond_puttexture(IMAGE* srcimg, frond_rect dest, IMAGE* img) {
  draw_texture(resolve_image(img), srcimg, dest, nullptr);
}

void frond_puttexture(IMAGE* srcimg, frond_rect dest, frond_rect src, IMAGE* img) {
  draw_texture(resolve_image_counting(img), srcimg, dest, &src);
}

void frond_drawimage(IMAGE* srcimg, int x, int y, IMAGE* img) {
  draw_pixels_of(img, srcimg, [&](GpGraphics* g, GpImage* bitmap) { return GdipDrawImageI(g, bitmap, x, y); });
}

void frond_drawimage(IMAGE* srcimg, int xDest, int yDest, int wDest, int hDest, int xSrc, int ySrc, int wSrc,
                     int hSrc, IMAGE* img) {
  draw_pixels_of(img, srcimg, [&](GpGraphics* g, GpImage* bitmap) {
    // The far corners wrap rather than overflow for extreme arguments.
    const INT right = INT(int64_t(xDest) + wDest), bottom = INT(int64_t(yDest) + hDest);
    const GpPoint corners[3] = {{xDest, yDest}, {right, yDest}, {xDest, bottom}};
    return GdipDrawImagePointsRectI(g, bitmap, corners, 3, xSrc, ySrc, wSrc, hSrc, UnitPixel, nullptr, nullptr,
                                    nullptr);
  });
}

}  // namespace frond
