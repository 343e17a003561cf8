// Makes an image during static initialisation, before main and before the
// library's own files have run their initialisers, as the client's received
// picture is made. Nothing may be reported missing on stderr.
// Depends on: graphics/frond.h; run by system_libraries_test.
#include "graphics/frond.h"

namespace {
frond::IMAGE* const early_image = new frond::IMAGE(1, 1);
}

int main() {
  const int width = early_image->width;
  frond::delimage(early_image);
  return width == 1 ? 0 : 1;
}
