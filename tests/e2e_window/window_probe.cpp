// Opens a window the way Quillfern does (manual render, keep on close) and
// shows a known picture. Without a count of boxes it reports every key and
// mouse record it reads, one line each, until the window is closed; with
// one it asks for that many lines with the input box instead: "box" when a
// box opens, "line=<text> count=<n>" for each and "done" at the end.
// Depends on: Frond (graphics/frond.h). Checks nothing itself: the scripts
// beside it send real X input and judge the lines.
//
// Usage: window_probe [caption [boxes]]

#include <cstdio>
#include <cstdlib>

#include "graphics/frond.h"

using namespace frond;

namespace {

int ask_for_lines(int boxes) {
  for (int i = 0; i < boxes; ++i) {
    std::printf("box\n");
    std::fflush(stdout);
    char line[64];
    const int count = inputbox_getline("Your name", "Type a line and press Enter.", line, sizeof line);
    std::printf("line=%s count=%d\n", line, count);
    std::fflush(stdout);
  }
  std::printf("done\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  setcaption(argc > 1 ? argv[1] : "Frond Probe");
  initgraph(640, 360, INITMODE_MANUAL_RENDER | INITMODE_KEEP_ON_CLOSE);
  if (!isrunning()) return 1;

  // Left half blue, right half red, presented once.
  argb_color* page = getbuffer();
  for (int y = 0; y < 360; ++y)
    for (int x = 0; x < 640; ++x) page[y * 640 + x] = x < 320 ? 0xFF0000FF : 0xFFFF0000;
  setbkcolor_norepaint(getbkcolor());  // counts the change so that the present shows it
  delay_ms(0);
  if (argc > 2) return ask_for_lines(std::atoi(argv[2]));
  std::printf("ready\n");
  std::fflush(stdout);

  while (isrunning()) {
    while (keypending() > 0) {
      const key_message k = getkey();
      std::printf("key kind=%u code=%u flags=0x%x\n", k.kind, k.keycode, k.flags);
    }
    while (mousepending() > 0) {
      const mouse_message m = getmouse();
      if (m.kind == MOUSEMSG_MOVE) continue;
      std::printf("mouse kind=0x%x x=%d y=%d flags=0x%x wheel=%d\n", m.kind, m.x, m.y, m.flags, m.wheel_delta);
    }
    std::fflush(stdout);
    delay_ms(0);  // repaints after the window was exposed (a repaint request counts a change)
    sleep_ms(10);
  }
  std::printf("closed window=%d\n", IsWindow(getwindowhandle()) ? 1 : 0);
  return 0;
}
