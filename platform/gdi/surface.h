// What other parts of the platform (GDI+, msimg32) need to know of a device
// context: the pixels of the bitmap selected into it, its viewport origin and
// its clip, all in device coordinates.
// Depends on: the display layer's Surface. Draws nothing.
#pragma once

#include <vector>

#include "display/surface.h"
#include "platform/gdi32.h"

namespace platform::gdi {

// The pixel buffer type is the display layer's.
using display::Surface;

// The bitmap selected into `dc` (or the screen for the screen DC); false when there is none.
bool dc_surface(HDC dc, Surface* out);

// The DC's viewport origin: logical (0, 0) lands on this device pixel.
POINT dc_viewport_origin(HDC dc);

// The area drawing may touch, in device coordinates: the clip region's
// rectangles intersected with the surface, or the whole surface when no clip
// region is selected. Empty when nothing may be drawn.
std::vector<RECT> dc_clip_rects(HDC dc);

}  // namespace platform::gdi
