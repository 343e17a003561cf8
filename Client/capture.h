// Screen capture: a 24-bit photograph of the screen, written as the BMP file
// "temp\image1.bmp".
// Depends on: the platform's GDI (screen DC, DIB sections) through Frond's
// platform interface; scales nothing.
#pragma once

#include <cstdint>

namespace quillfern {

// The BMP layout the capture file takes on a display of colour depth `depth`
// (bits per pixel x planes).
struct capture_layout {
  int bits_per_pixel;     // 1, 4, 8 or 24
  uint32_t palette_bytes; // 4 bytes a colour-table entry
  uint32_t row_bytes;     // padded to a multiple of 4
  uint64_t pixel_bytes;   // row_bytes x height
  uint64_t file_bytes;    // 54 + palette + pixels
};
capture_layout capture_layout_for(int depth, int width, int height);

// Photographs the screen into the capture bitmap.
void capture_screen();
// Writes the capture bitmap to "temp\image1.bmp" and deletes it. Nothing is
// written when there is no capture or the file cannot be made.
void save_capture_bmp();

}  // namespace quillfern
