// The flat calls that apply to any image kind: disposing and the size.
// Depends on: the image class. Decoding and drawing live in their own files.
#include "gdiplus/image.h"
#include "gdiplus/status.h"

namespace Gdiplus {

namespace {

template <typename T>
GpStatus get(const GpImage* image, T GpImage::*field, T* out) {
  if (detail::any_null(image, out)) return InvalidParameter;
  *out = image->*field;
  return Ok;
}

}  // namespace

GpStatus GdipDisposeImage(GpImage* image) {
  if (image == nullptr) return InvalidParameter;
  delete image;
  return Ok;
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width) { return get(image, &GpImage::width, width); }

GpStatus GdipGetImageHeight(GpImage* image, UINT* height) { return get(image, &GpImage::height, height); }

}  // namespace Gdiplus
