// GpGraphics: a drawing context over a device context. It keeps its own
// state: the DC's viewport origin and GDI clip region play no part; drawing
// goes into whatever bitmap the DC has selected at the time it draws
// (dc_pixels.h), never into a copy taken when the graphics was made.
// Depends on: clip_mask, matrix, region, gdiplus.h. Declares no drawing calls (render.h).
#pragma once

#include <utility>
#include <vector>

#include "gdiplus/clip_mask.h"
#include "gdiplus/matrix.h"
#include "gdiplus/region.h"
#include "platform/gdiplus.h"

namespace Gdiplus {

// Everything GdipSaveGraphics saves and GdipRestoreGraphics brings back.
struct GraphicsSettings {
  GpMatrix world;  // world to page coordinates
  GpRegion clip;   // in device coordinates
  SmoothingMode smoothing = SmoothingModeNone;
  PixelOffsetMode pixel_offset = PixelOffsetModeDefault;
  InterpolationMode interpolation = InterpolationModeBilinear;
  TextRenderingHint text_hint = TextRenderingHintSystemDefault;
  CompositingMode compositing_mode = CompositingModeSourceOver;
  CompositingQuality compositing_quality = CompositingQualityDefault;
  UINT text_contrast = 4;
  Unit page_unit = UnitDisplay;
  REAL page_scale = 1;
  INT origin_x = 0;  // rendering origin (kept for callers; nothing here is aligned to it), device pixels
  INT origin_y = 0;
};

class GpGraphics {
 public:
  explicit GpGraphics(HDC dc_) : dc(dc_) {}

  // World coordinates to device pixels: the world transform, then the page
  // unit and scale. Always invertible.
  GpMatrix world_to_device() const;

  HDC dc;
  GraphicsSettings settings;
  ClipMask clip_cache;  // the clip rasterised for the surface last drawn on
};

namespace detail {
// Ok when `graphics` may be used: InvalidParameter when null, ObjectBusy while its DC is taken.
GpStatus usable(const GpGraphics* graphics);
}  // namespace detail

}  // namespace Gdiplus
