// What other parts of the platform (GDI+, msimg32) need to know of a device
// context: the pixels of the bitmap selected into it, its viewport origin and
// its clip, all in device coordinates.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi32.h"

namespace platform::gdi {

struct Surface {
  uint8_t* bits = nullptr;   // first byte of row 0 (the top row)
  int width = 0;
  int height = 0;
  ptrdiff_t stride = 0;      // bytes from one row to the next one down (negative for bottom-up DIBs)
  int bits_per_pixel = 0;    // 32 or 24

  uint32_t* row32(int y) const { return reinterpret_cast<uint32_t*>(bits + stride * y); }
};

// The bitmap selected into `dc` (or the screen for the screen DC); false when there is none.
bool dc_surface(HDC dc, Surface* out);

// The DC's viewport origin: logical (0, 0) lands on this device pixel.
POINT dc_viewport_origin(HDC dc);

// The area drawing may touch, in device coordinates: the clip region's
// rectangles intersected with the surface, or the whole surface when no clip
// region is selected. Empty when nothing may be drawn.
std::vector<RECT> dc_clip_rects(HDC dc);

}  // namespace platform::gdi
