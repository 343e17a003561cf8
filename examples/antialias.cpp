// Anti-aliasing: the same lines and discs drawn with anti-aliasing off (left)
// and on (right), a translucent fill and a gradient, in a window; optionally
// also saved as a PNG file.
// Depends on: Frond's public header only. Writes no file unless out.png is given.
//
// Usage: antialias [frames [out.png]]   (frames: how long the window stays;
// 0 or none: until it is closed)

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <frond/frond.h>

using namespace frond;

namespace {

// A fan of lines and a few discs inside the 300x300 square at (x0, 30).
void draw_panel(float x0, bool antialias, IMAGE* img) {
  setantialias(antialias, img);
  setlinecolor(0xFFFFFFFF, img);
  setlinewidth(1.5f, img);
  for (int i = 0; i <= 12; ++i) {
    const float angle = float(i) * 3.14159265f / 24.0f;
    frond_line(x0 + 20, 310, x0 + 20 + 260 * std::cos(angle), 310 - 260 * std::sin(angle), img);
  }
  setfillcolor(0xFFE04040, img);
  frond_fillcircle(x0 + 220, 90, 40, img);
  setfillcolor(0x8040A0E0, img);  // alpha 0x80: half see-through
  frond_fillellipse(x0 + 150, 60, 120, 80, img);
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 0;
  const char* out = argc > 2 ? argv[2] : nullptr;

  setcaption("Frond: anti-aliasing off | on");
  initgraph(640, 360);
  IMAGE* page = gettarget();
  setbkcolor(0xFF181818, page);
  cleardevice(page);
  draw_panel(10, false, page);
  draw_panel(330, true, page);

  // A gradient bar along the bottom: the fill pattern replaces the fill colour.
  setantialias(true, page);
  frond_setpattern_lineargradient(10, 0, 0xFF2040C0, 630, 0, 0xFFF0C040, page);
  frond_fillroundrect(10, 320, 620, 30, 12, 12, 12, 12, page);
  frond_setpattern_none(page);

  if (out != nullptr && savepng(page, out, false) != 0) {
    std::fprintf(stderr, "antialias: cannot write %s\n", out);
    return 1;
  }
  for (int frame = 0; isrunning() && (frames == 0 || frame < frames); ++frame) delay_fps(30);
  return 0;
}
