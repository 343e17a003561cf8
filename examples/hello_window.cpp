// Hello window: the smallest interactive Frond program. A ball follows the
// mouse, the left button changes its colour, typed characters show in the
// corner, Escape or the close button ends it; the loop runs at 60 frames a
// second with delay_fps.
// Depends on: Frond's public header only. Writes no file.
//
// Usage: hello_window [frames]   (stops after that many frames; 0 or none:
// runs until the window is closed)

#include <cstdlib>
#include <string>

#include <frond/frond.h>

using namespace frond;

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 0;
  setcaption("Hello, Frond");
  initgraph(640, 360);

  const argb_color colours[] = {0xFFE04040, 0xFF40A0E0, 0xFF60C060, 0xFFF0C040};
  int colour = 0;
  int ball_x = 320, ball_y = 180;
  std::string typed;

  for (int frame = 0; isrunning() && (frames == 0 || frame < frames); ++frame) {
    // Input: read every queued record before drawing the frame.
    while (mousepending() > 0) {
      const mouse_message m = getmouse();
      if (m.kind == MOUSEMSG_MOVE) ball_x = m.x, ball_y = m.y;
      if (m.kind == MOUSEMSG_PRESS && (m.flags & MOUSEFLAG_LEFT)) colour = (colour + 1) % 4;
    }
    bool quit = false;
    while (keypending() > 0) {
      const key_message k = getkey();
      if (k.kind != KEYMSG_CHAR) continue;
      if (k.keycode == 27) quit = true;                            // Escape
      else if (k.keycode == 8 && !typed.empty()) typed.pop_back();  // Backspace
      else if (k.keycode >= 32 && k.keycode < 127 && typed.size() < 40) typed += char(k.keycode);
    }
    if (quit) break;

    // Drawing: everything on the window's page, then one present per frame.
    setbkcolor(0xFF202830);
    cleardevice();
    setantialias(true);
    setfillcolor(colours[colour]);
    frond_fillcircle(float(ball_x), float(ball_y), 30.0f);
    settextcolor(0xFFFFFFFF);
    outtextxy(10, 10, "Move the mouse, click, type; Escape ends.");
    outtextxy(10, 36, ("> " + typed).c_str());
    delay_fps(60);
  }
  return 0;
}
