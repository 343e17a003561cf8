// Routines shared between the library's components. Internal.
// Depends on: frond.h. Holds no state.
#pragma once

#include <vector>

#include "graphics/frond.h"

namespace frond {

// Starts GDI+ once per process.
void gdiplus_start();

// A new GDI+ graphics on `dc` carrying over the settings of `old` (may be null).
Gdiplus::GpGraphics* clone_gdip_graphics(HDC dc, gdip_holder<Gdiplus::GpGraphics>& old);

// The image getimage loads into: a null image shows the fatal box and ends the
// process; a selector value is no image to load into, and gives null.
IMAGE* getimage_target(IMAGE* img);

// Shows "Fatal error: read/write at 0x... At function '...'" and ends the process.
[[noreturn]] void fatal_image_error(const void* image, const wchar_t* operation);

// Rebuilds the image's GDI pen and GDI+ pen from its line attributes.
void update_pen(IMAGE* img);

// The GDI+ dash style of a line style: 1, 2, 3 keep their value, others are solid.
int to_gdiplus_dashstyle(int line_style);

// The GDI dash array of a 16-pixel user line pattern (bit 0 first), starting
// with a drawn run.
std::vector<DWORD> line_pattern_dashes(uint16_t pattern);

// Copies the whole of `src` onto `dst` pixel for pixel (device coordinates),
// whatever the two images' viewport origins.
void copy_whole_image(IMAGE* dst, const IMAGE* src);

}  // namespace frond
