// The start-up logo: on the drawing target, a white background fades in,
// the library's logo fades in, holds and fades out, and the background fades
// to black; every frame is paced at 60 a second. A key pressed while the
// logo fades in cuts it short.
// Depends on: image files (the logo JPEG), blends, frames, pacing, input.

#include "graphics/window.h"

namespace frond {
namespace {

// Reads and drops every pending key press and character; true when there was
// one. Stops when the window is gone (the readers then report -1).
bool discard_keys() {
  bool found = false;
  while (charpending() > 0) {
    getkey();
    found = true;
  }
  return found;
}

void grey_background(int c) {
  setbkcolor_norepaint(0xFF000000u | uint32_t(c) << 16 | uint32_t(c) << 8 | uint32_t(c));
}

}  // namespace

void show_logo() {
  IMAGE* logo = new IMAGE();
  logo->getimage(logo_data(), logo_size());
  if (getwidth() <= logo->width) {
    IMAGE* half = new IMAGE(logo->width / 2, logo->height / 2);
    putimage(half, 0, 0, half->width, half->height, logo, 0, 0, logo->width, logo->height, SRCCOPY);
    delete logo;
    logo = half;
  }
  const int x = (getwidth() - logo->width) / 2, y = (getheight() - logo->height) / 2;
  auto frame = [] { delay_fps(60); };

  setrendermode(1);
  for (int i = 0; i < 20; ++i) cleardevice(), frame();
  for (int c = 0; c <= 248; c += 8) {
    grey_background(c);
    cleardevice();
    discard_keys();
    frame();
  }
  setbkcolor_norepaint(0x00FFFFFF);

  int fade_out_from = 252;
  bool hold = true;
  for (int alpha = 0; alpha <= 248; alpha += 8) {
    cleardevice();
    putimage_alphablend(nullptr, logo, x, y, uint8_t(alpha), 0);
    const bool key = discard_keys();
    frame();
    if (key) {
      hold = false;
      if (alpha < 248) fade_out_from = alpha + 8;
      break;
    }
  }
  for (int i = 0; hold && i < 60; ++i) {
    cleardevice();
    putimage(x, y, logo, SRCCOPY);
    hold = !discard_keys();
    frame();
  }
  setbkcolor_norepaint(0x00FFFFFF);
  // The usual fade-out runs 252, 244 .. 4; cut short, it runs from the next
  // alpha of the fade-in down to 0.
  const int fade_out_to = fade_out_from == 252 ? 4 : 0;
  for (int alpha = fade_out_from; alpha >= fade_out_to; alpha -= 8) {
    cleardevice();
    putimage_alphablend(nullptr, logo, x, y, uint8_t(alpha), 0);
    discard_keys();
    frame();
  }
  cleardevice();
  for (int c = 255; c >= 7; c -= 8) {
    grey_background(c);
    cleardevice();
    discard_keys();
    frame();
  }
  delete logo;
  setbkcolor_norepaint(0xFF000000);
  cleardevice();
  setrendermode(0);
}

}  // namespace frond
