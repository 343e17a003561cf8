// Block copies: getimage copies a rectangle of an image into another (which
// takes its size), putimage copies an image or a rectangle of it onto another
// with any ternary raster operation, plain or stretched (COLORONCOLOR).
// Positions are each image's viewport coordinates; a whole-image source is
// taken pixel for pixel from its top-left corner, whatever its viewport.
// Depends on: state (selectors, change counting), images.

#include "graphics/internal.h"
#include "graphics/state.h"

namespace frond {
namespace {

// The logical position of the source's top-left pixel, so that a whole-image
// copy takes the same pixels whatever the source's viewport origin.
POINT whole_source_origin(const IMAGE* src) {
  POINT origin = {};
  GetViewportOrgEx(src->dc, &origin);
  return {-origin.x, -origin.y};
}

// Plain copy of (xs, ys, w, h) of a checked source onto (xd, yd) of a
// resolved destination; nothing when there is none.
void copy_block(IMAGE* dst, int xd, int yd, int w, int h, const IMAGE* src, int xs, int ys, DWORD rop) {
  if (dst == nullptr) return;
  BitBlt(dst->dc, xd, yd, w, h, src->dc, xs, ys, rop);
}

void copy_whole(IMAGE* dst, int x, int y, const IMAGE* src, DWORD rop) {
  const POINT origin = whole_source_origin(src);
  copy_block(dst, x, y, src->width, src->height, src, origin.x, origin.y, rop);
}

void stretch_block(IMAGE* dst, int xd, int yd, int wd, int hd, const IMAGE* src, int xs, int ys, int ws, int hs,
                   DWORD rop) {
  if (dst == nullptr) return;
  SetStretchBltMode(dst->dc, COLORONCOLOR);
  StretchBlt(dst->dc, xd, yd, wd, hd, src->dc, xs, ys, ws, hs, rop);
}

// Resolves a source image (no counting) and checks it; null when the
// argument names no image, so that the copy changes nothing.
const IMAGE* checked_source(IMAGE* src) {
  const IMAGE* image = resolve_image(src);
  if (image != nullptr) image->check_magic(L"IMAGE::putimage");
  return image;
}

// getimage's common body on a checked destination.
int get_block(IMAGE* dst, IMAGE* src_arg, int x, int y, int w, int h) {
  IMAGE* src = resolve_image(src_arg);
  if (src == nullptr) return 0;
  if (src == dst) {
    // The resize below would discard the source: copy from a snapshot, in
    // device coordinates of the image as it was.
    POINT origin = {};
    GetViewportOrgEx(dst->dc, &origin);
    IMAGE snapshot(*dst);
    dst->resize_f(w, h);
    BitBlt(dst->dc, 0, 0, w, h, snapshot.dc, x + origin.x, y + origin.y, SRCCOPY);
    return 0;
  }
  dst->resize_f(w, h);
  BitBlt(dst->dc, 0, 0, w, h, src->dc, x, y, SRCCOPY);
  return 0;
}

}  // namespace

IMAGE* getimage_target(IMAGE* img) {
  if (img == nullptr) internal_error_box(L"Fatal Error: pass NULL to `frond::getimage`");
  return is_selector(img) ? nullptr : img;
}

// ---- getimage -------------------------------------------------------------------------

int IMAGE::getimage(IMAGE* src, int x, int y, int w, int h) {
  check_magic(L"IMAGE::getimage");
  return get_block(this, src, x, y, w, h);
}

int IMAGE::getimage(int x, int y, int w, int h) {
  check_magic(L"IMAGE::getimage");
  return get_block(this, nullptr, x, y, w, h);
}

int getimage(IMAGE* img, IMAGE* src, int x, int y, int w, int h) {
  IMAGE* target = getimage_target(img);
  return target ? target->getimage(src, x, y, w, h) : -11;
}

int getimage(IMAGE* img, int x, int y, int w, int h) {
  IMAGE* target = getimage_target(img);
  return target ? target->getimage(x, y, w, h) : -11;
}

// ---- putimage, member forms (this image is the source) ------------------------------------

void IMAGE::putimage(IMAGE* dst, int x, int y, DWORD rop) const {
  check_magic(L"IMAGE::putimage");
  copy_whole(resolve_image_counting(dst), x, y, this, rop);
}

void IMAGE::putimage(IMAGE* dst, int xd, int yd, int w, int h, int xs, int ys, DWORD rop) const {
  check_magic(L"IMAGE::putimage");
  copy_block(resolve_image_counting(dst), xd, yd, w, h, this, xs, ys, rop);
}

void IMAGE::putimage(int x, int y, DWORD rop) const {
  count_change();
  check_magic(L"IMAGE::putimage");
  copy_whole(state().draw_target, x, y, this, rop);
}

void IMAGE::putimage(int xd, int yd, int w, int h, int xs, int ys, DWORD rop) const {
  count_change();
  check_magic(L"IMAGE::putimage");
  copy_block(state().draw_target, xd, yd, w, h, this, xs, ys, rop);
}

void IMAGE::putimage(IMAGE* dst, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs, DWORD rop) const {
  check_magic(L"IMAGE::putimage");
  stretch_block(resolve_image_counting(dst), xd, yd, wd, hd, this, xs, ys, ws, hs, rop);
}

// ---- putimage, free forms -------------------------------------------------------------------

void putimage(int x, int y, IMAGE* src, DWORD rop) {
  count_change();
  if (const IMAGE* source = checked_source(src)) copy_whole(state().draw_target, x, y, source, rop);
}

void putimage(int xd, int yd, int w, int h, IMAGE* src, int xs, int ys, DWORD rop) {
  count_change();
  if (const IMAGE* source = checked_source(src)) copy_block(state().draw_target, xd, yd, w, h, source, xs, ys, rop);
}

void putimage(IMAGE* dst, int x, int y, IMAGE* src, DWORD rop) {
  const IMAGE* source = checked_source(src);
  IMAGE* destination = resolve_image_counting(dst);
  if (source != nullptr) copy_whole(destination, x, y, source, rop);
}

void putimage(IMAGE* dst, int xd, int yd, int w, int h, IMAGE* src, int xs, int ys, DWORD rop) {
  const IMAGE* source = checked_source(src);
  IMAGE* destination = resolve_image_counting(dst);
  if (source != nullptr) copy_block(destination, xd, yd, w, h, source, xs, ys, rop);
}

void putimage(IMAGE* dst, int xd, int yd, int wd, int hd, IMAGE* src, int xs, int ys, int ws, int hs, DWORD rop) {
  const IMAGE* source = checked_source(src);
  IMAGE* destination = resolve_image_counting(dst);
  if (source != nullptr) stretch_block(destination, xd, yd, wd, hd, source, xs, ys, ws, hs, rop);
}

void putimage(int xd, int yd, int wd, int hd, IMAGE* src, int xs, int ys, int ws, int hs, DWORD rop) {
  count_change();
  if (const IMAGE* source = checked_source(src))
    stretch_block(state().draw_target, xd, yd, wd, hd, source, xs, ys, ws, hs, rop);
}

}  // namespace frond
