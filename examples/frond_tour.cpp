// A short tour of Frond without a window: makes images, sets attributes,
// copies and stretches with raster operations, and prints what came out as
// coloured blocks in the terminal.
// Depends on: Frond's public header only. Opens no window and writes no file.

#include <cstdio>

#include <frond/frond.h>

using namespace frond;

namespace {

// Prints an image as two pixels per character cell, using 24-bit terminal colours.
void print_image(IMAGE* img, const char* title) {
  std::printf("%s (%dx%d)\n", title, getwidth(img), getheight(img));
  const argb_color* pixels = getbuffer(img);
  const int w = getwidth(img);
  for (int y = 0; y + 1 < getheight(img); y += 2) {
    for (int x = 0; x < w; ++x) {
      const argb_color top = pixels[y * w + x], bottom = pixels[(y + 1) * w + x];
      std::printf("\x1b[38;2;%u;%u;%um\x1b[48;2;%u;%u;%um\u2580", (top >> 16) & 255, (top >> 8) & 255, top & 255,
                  (bottom >> 16) & 255, (bottom >> 8) & 255, bottom & 255);
    }
    std::printf("\x1b[0m\n");
  }
}

}  // namespace

int main() {
  // A 4x4 checkerboard drawn pixel by pixel into a new (opaque black) image.
  IMAGE* tile = newimage(4, 4);
  argb_color* bits = getbuffer(tile);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) bits[y * 4 + x] = ((x + y) & 1) ? 0xFFE04040 : 0xFF40A0E0;
  print_image(tile, "tile");

  // Stretched eightfold onto a canvas whose background was changed to white.
  IMAGE* canvas = newimage(48, 24);
  setbkcolor(0xFFFFFFFF, canvas);
  putimage(canvas, 4, 2, 32, 20, tile, 0, 0, 4, 4);

  // An inverted copy of the tile, placed through a viewport.
  setviewport(38, 4, 46, 20, 1, canvas);
  putimage(canvas, 0, 0, tile, NOTSRCCOPY);
  setviewport(0, 0, 48, 24, 1, canvas);
  print_image(canvas, "canvas");

  IMAGE copy(*canvas);
  std::printf("copy is %dx%d, first pixel 0x%08X, line colour 0x%08X\n", getwidth(&copy), getheight(&copy),
              getbuffer(&copy)[0], getcolor(&copy));

  delimage(canvas);
  delimage(tile);
  return 0;
}
