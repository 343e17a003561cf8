// Asks for lines with the input box and prints each: "box" when a box opens,
// then "line=<text> count=<n>", and "done" at the end. Used by the input
// box's end-to-end test. Usage: inputbox_probe <title> <boxes>
// Depends on: Frond (graphics/frond.h). Checks nothing itself: inputbox_e2e.sh types the lines and judges
// what it prints.
#include <cstdio>
#include <cstdlib>

#include "graphics/frond.h"

int main(int argc, char** argv) {
  using namespace frond;
  setcaption(argc > 1 ? argv[1] : "Frond Input Box");
  const int boxes = argc > 2 ? std::atoi(argv[2]) : 1;
  initgraph(640, 360, INITMODE_MANUAL_RENDER | INITMODE_KEEP_ON_CLOSE);
  setbkcolor(0xFF203040);
  cleardevice();
  delay_ms(0);
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
