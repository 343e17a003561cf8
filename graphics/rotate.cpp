// Rotating and zooming blits by triangle mapping: the source's two triangles
// get their corners turned about a centre given in fractions of the source
// size, scaled, and rounded to whole destination pixels, then filled by
// the triangle mapper. Corners are computed in double precision from single
// precision sine and cosine; input that is not finite, or corners farther
// than 2^24 pixels from the origin, draw nothing.
// Depends on: state (selectors, pages, change counting), images (magic),
// rotate_triangles.

#include <cmath>

#include "graphics/rotate_internal.h"
#include "graphics/state.h"

namespace frond {
namespace {

// Beyond this, single precision no longer holds every whole pixel position.
constexpr double kCornerLimit = 16777216.0;

// The source's unit square as two triangles: top-left, bottom-left,
// bottom-right; then bottom-right, top-right, top-left.
constexpr map_point kSourceTriangles[2][3] = {{{0, 0}, {0, 1}, {1, 1}}, {{1, 1}, {1, 0}, {0, 0}}};

void rotate_zoom(IMAGE* dst, IMAGE* src_arg, int x, int y, float centerx, float centery, float angle, float zoom,
                 map_flags flags, const wchar_t* operation) {
  if (dst == nullptr) return;
  dst->check_magic(operation);
  IMAGE* src = resolve_image(src_arg);
  if (src == nullptr) return;
  src->check_magic(operation);
  if (!std::isfinite(centerx) || !std::isfinite(centery) || !std::isfinite(angle) || !std::isfinite(zoom)) return;
  const float c = std::cos(angle), s = std::sin(angle);
  const float w = float(src->width), h = float(src->height);
  map_point corners[2][3];
  for (int t = 0; t < 2; ++t)
    for (int k = 0; k < 3; ++k) {
      const float dx = (kSourceTriangles[t][k].x - centerx) * w, dy = (kSourceTriangles[t][k].y - centery) * h;
      const double X = (double(dx) * c - double(dy) * s) * zoom + x + double(0.001f);
      const double Y = (double(dx) * s + double(dy) * c) * zoom + y + double(0.001f);
      if (!(std::fabs(X) < kCornerLimit && std::fabs(Y) < kCornerLimit)) return;
      corners[t][k] = map_point{std::round(float(X)), std::round(float(Y))};
    }
  maptriangle(dst, src, corners[0], kSourceTriangles[0], flags);
  maptriangle(dst, src, corners[1], kSourceTriangles[1], flags);
}

// The destination of the int-flag forms: a value below 32 is page (value &
// 15), 0 included, and counts no change.
IMAGE* page_or_image(IMAGE* dst) {
  return is_selector(dst) ? resolve_image(reinterpret_cast<IMAGE*>(reinterpret_cast<uintptr_t>(dst) | 16)) : dst;
}

}  // namespace

int putimage_rotate(IMAGE* dst, IMAGE* src, int x, int y, float centerx, float centery, float angle, int transparent,
                    int alpha, int smooth) {
  rotate_zoom(page_or_image(dst), src, x, y, centerx, centery, angle, 1.0f,
              map_flags{transparent != 0, alpha, smooth != 0}, L"IMAGE::putimage_rotate");
  return 0;
}

int putimage_rotatezoom(IMAGE* dst, IMAGE* src, int x, int y, float centerx, float centery, float angle, float zoom,
                        int transparent, int alpha, int smooth) {
  rotate_zoom(page_or_image(dst), src, x, y, centerx, centery, angle, zoom,
              map_flags{transparent != 0, alpha, smooth != 0}, L"IMAGE::putimage_rotatezoom");
  return 0;
}

int putimage_rotate(IMAGE* dst, IMAGE* src, int x, int y, float centerx, float centery, float angle, bool transparent,
                    int alpha, bool smooth) {
  rotate_zoom(resolve_image_counting(dst), src, x, y, centerx, centery, angle, 1.0f,
              map_flags{transparent, alpha, smooth}, L"IMAGE::putimage_rotate");
  return 0;
}

int putimage_rotatezoom(IMAGE* dst, IMAGE* src, int x, int y, float centerx, float centery, float angle, float zoom,
                        bool transparent, int alpha, bool smooth) {
  rotate_zoom(resolve_image_counting(dst), src, x, y, centerx, centery, angle, zoom,
              map_flags{transparent, alpha, smooth}, L"IMAGE::putimage_rotatezoom");
  return 0;
}

}  // namespace frond
