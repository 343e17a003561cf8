// Image viewports: the origin and clip rectangle of drawing in an image,
// applied to its DC (viewport origin, clip region) and to its GDI+ graphics
// (clip rectangle, world transform translated to the origin).
// Depends on: state (selectors, change counting), images.

#include "graphics/state.h"

using namespace Gdiplus;

namespace frond {

void setviewport(int left, int top, int right, int bottom, int clip, IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr || image->dc == nullptr) return;
  SetViewportOrgEx(image->dc, 0, 0, nullptr);

  if (left < 0) left = 0;
  if (top < 0) top = 0;
  if (right > image->width) right = image->width;
  if (bottom > image->height) bottom = image->height;
  image->viewport = {left, top, right, bottom, clip};

  HRGN region = clip ? CreateRectRgn(left, top, right, bottom) : CreateRectRgn(0, 0, image->width, image->height);
  SelectClipRgn(image->dc, region);
  DeleteObject(region);

  if (GpGraphics* graphics = image->gdip_graphics()) {
    gdip_holder<GpGraphics>& holder = image->graphics_holder;
    // A clip rectangle is mapped through the world transform in force, so the
    // transform is reset before the clip is set in device coordinates.
    holder.record(GdipResetWorldTransform(graphics));
    if (clip)
      holder.record(GdipSetClipRectI(graphics, left, top, right - left, bottom - top, CombineModeReplace));
    else
      holder.record(GdipResetClip(graphics));
    holder.record(GdipTranslateWorldTransform(graphics, REAL(left), REAL(top), MatrixOrderPrepend));
  }

  SetViewportOrgEx(image->dc, left, top, nullptr);
  MoveToEx(image->dc, 0, 0, nullptr);
}

void getviewport(int* left, int* top, int* right, int* bottom, int* clip, IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image == nullptr) return;
  if (left) *left = image->viewport.left;
  if (top) *top = image->viewport.top;
  if (right) *right = image->viewport.right;
  if (bottom) *bottom = image->viewport.bottom;
  if (clip) *clip = image->viewport.clip;
}

void clearviewport(IMAGE* img) {
  IMAGE* image = resolve_image_counting(img);
  if (image == nullptr || image->dc == nullptr) return;
  const RECT area = {0, 0, image->viewport.right - image->viewport.left,
                     image->viewport.bottom - image->viewport.top};
  HBRUSH brush = CreateSolidBrush(GetBkColor(image->dc));
  FillRect(image->dc, &area, brush);
  DeleteObject(brush);
}

}  // namespace frond
