// Unstretched SRCCOPY from the screen into a bitmap: the display backend
// reads each visible part of the destination straight from the screen, in
// the bitmap's own depth, without going through the whole-screen buffer.
// Depends on: dc. Stretches nothing; other raster operations go through bitblt.
#pragma once

#include "gdi/dc.h"

namespace platform::gdi {

// Copies w x h pixels from logical (xs, ys) of the screen DC to logical (x, y)
// of `dst`. False when the copy is not of that kind (the caller then runs the
// general block transfer).
bool copy_from_screen(const DeviceContext& dst, int x, int y, int w, int h, const DeviceContext& screen, int xs,
                      int ys);

}  // namespace platform::gdi
