// Text: fonts by face name and height, colours, measuring, formatted output,
// and anti-aliased text, in a window.
//
// Usage: text [frames]   (0 or none: until the window is closed)
// Depends on: Frond and the fonts fontconfig finds.

#include <cstdlib>

#include <frond/frond.h>

using namespace frond;

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 0;
  setcaption("Frond: text");
  initgraph(640, 360);

  setbkcolor(0xFFF4F0E8);
  cleardevice();
  setbkmode(1);  // transparent: text leaves the background around its glyphs

  setfont(40, 0, "DejaVu Serif");
  settextcolor(0xFF203060);
  const char* title = "Frond draws text";
  outtextxy(20, 20, title);

  // Measure to place things: underline exactly as wide as the title.
  setfillcolor(0xFFC04040);
  frond_fillrect(20, 20.0f + textheight(title), float(textwidth(title)), 3);

  setfont(20, 0, "DejaVu Sans");
  settextcolor(0xFF303030);
  xyprintf(20, 90, "The title is %d pixels wide and %d high.", textwidth(title), textheight(title));
  outtextrect(20, 130, 600, 80,
              "outtextrect wraps a long line of text inside the rectangle it is given, word by word, so that "
              "paragraphs fit a column.");

  // Anti-aliased text goes through the frond_ functions.
  setantialias(true);
  setfont(28, 0, "DejaVu Sans");
  settextcolor(0xFF208040);
  frond_drawtext("Anti-aliased: smooth edges at any size.", 20, 230);
  settextcolor(0xFF808080);
  setfont(16, 0, "DejaVu Sans Mono");
  outtextxy(20, 320, "Non-ASCII text is UTF-8: \xc3\xa9t\xc3\xa9, \xc3\x9f, \xce\xbb.");

  for (int frame = 0; isrunning() && (frames == 0 || frame < frames); ++frame) delay_fps(30);
  return 0;
}
