// The paint of an image being drawn: each device pixel's centre is mapped
// back into the source bitmap and sampled with the graphics' interpolation
// mode, then recoloured by the image attributes.
// Depends on: image, image_attributes, matrix, paint. Does not clip or composite.
#pragma once

#include <memory>

#include "gdiplus/image.h"
#include "gdiplus/image_attributes.h"
#include "gdiplus/matrix.h"
#include "gdiplus/paint.h"

namespace Gdiplus::render {

struct ImageSource {
  const GpBitmap* bitmap;
  GpRect rect;                  // the source rectangle, in pixels
  GpMatrix pixels_to_source;    // device coordinates to source pixel coordinates
  const GpImageAttributes* attributes;  // may be null
};

std::unique_ptr<Paint> make_image_paint(const ImageSource& source, InterpolationMode mode);

}  // namespace Gdiplus::render
