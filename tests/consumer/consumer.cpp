// A program using Frond as a library: opens the window (headless without a
// display), draws and presents a few frames, saves the page as a PNG and
// reads it back. Prints "consumer ok" and exits 0 when everything agreed.
//
// Usage: consumer <folder for its PNG file>
// Depends on Frond's installed public header and library only.

#include <cstdio>
#include <string>

#include <frond/frond.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: consumer <folder>\n");
    return 2;
  }
  frond::initgraph(320, 200);
  for (int frame = 0; frame < 5 && frond::isrunning(); ++frame) {
    frond::setbkcolor(0xFF102030);
    frond::cleardevice();
    frond::setfillcolor(0xFFE0A040);
    frond::frond_fillrect(10.0f * frame, 20, 100, 60);
    frond::delay_fps(60);
  }
  const std::string path = std::string(argv[1]) + "/consumer.png";
  frond::IMAGE* page = frond::gettarget();
  if (frond::savepng(page, path.c_str(), false) != 0) return 1;
  frond::IMAGE* loaded = frond::newimage();
  const int read = frond::getimage(loaded, path.c_str());
  const frond::argb_color inside = frond::getpixel(60, 50, loaded);
  const frond::argb_color outside = frond::getpixel(300, 190, loaded);
  frond::delimage(loaded);
  if (read != 0 || inside != 0xFFE0A040 || outside != 0xFF102030) {
    std::fprintf(stderr, "consumer: read %d, pixels 0x%08X 0x%08X\n", read, inside, outside);
    return 1;
  }
  std::printf("consumer ok\n");
  return 0;
}
