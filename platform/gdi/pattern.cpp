// Brush tiles. Hatch lines are one pixel wide and pass through device pixel
// (0, 0) of every 8x8 cell (the anti-diagonal passes through (7, 0)).
// Depends on: pattern.h (objects' brushes). Paints nothing onto a surface.
#include "gdi/pattern.h"

namespace platform::gdi {
namespace {

bool hatch_line(ULONG_PTR hatch, int x, int y) {
  const bool horizontal = y == 0, vertical = x == 0;
  const bool down = x == y, up = x + y == 7;  // "\" and "/" seen on screen
  switch (hatch) {
    case HS_HORIZONTAL: return horizontal;
    case HS_VERTICAL: return vertical;
    case HS_FDIAGONAL: return down;
    case HS_BDIAGONAL: return up;
    case HS_CROSS: return horizontal || vertical;
    default: return down || up;  // HS_DIAGCROSS
  }
}

}  // namespace

Pattern make_pattern(const Brush& brush, COLORREF background) {
  Pattern p;
  p.hollow = brush.style == BS_NULL;
  p.solid = brush.style != BS_HATCHED;
  const uint32_t ink = colorref_word(brush.color), gap = colorref_word(background);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool line = p.solid || hatch_line(brush.hatch, x, y);
      if (line) p.lines[y] |= static_cast<uint8_t>(1u << x);
      p.words[y][x] = line ? ink : gap;
    }
  }
  return p;
}

}  // namespace platform::gdi
