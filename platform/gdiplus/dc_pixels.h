// The pixels a graphics made over a device context draws into. Device
// contexts belong to the GDI, which defines this function (gdi/dc.cpp): GDI+
// declares what it needs here instead of including the GDI's headers, so the
// two layers include each other one way only (the GDI draws its shapes with
// the GDI+ scan converter and stroker).
// Depends on: the display layer's Surface.
#pragma once

#include "display/surface.h"
#include "platform/wintypes.h"

namespace Gdiplus::render {

// The 32-bit or 24-bit pixels of the bitmap selected into `dc` (the screen
// for the screen DC, the client area for a window DC) at this moment; false
// when there are none.
bool dc_pixels(HDC dc, platform::display::Surface* out);

}  // namespace Gdiplus::render
