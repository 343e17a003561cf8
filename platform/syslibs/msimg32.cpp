// msimg32: AlphaBlend and GradientFill on the bitmaps selected into device
// contexts, clipped to the destination's clip rectangles. AlphaBlend maps its
// axes like StretchBlt (blit_geometry) and blends rows (alpha_blend_row).
// Depends on: gdi (blit_geometry, primitives, surface), alpha_blend_row, exports.h. No TransparentBlt.
//
// Pixels are 32-bit 0xAARRGGBB or 24-bit B,G,R; a 24-bit pixel reads with
// alpha 0 and stores without it. Coordinates are logical and go through each
// DC's viewport origin. Division by 255 rounds to nearest.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gdi/blit_geometry.h"
#include "gdi/primitives.h"
#include "gdi/surface.h"
#include "syslibs/alpha_blend_row.h"
#include "platform/kernel32.h"
#include "syslibs/exports.h"

namespace platform::syslibs {
namespace {

using platform::gdi::Surface;

bool supported(const Surface& s) { return s.bits_per_pixel == 32 || s.bits_per_pixel == 24; }

void store(const Surface& s, int x, int y, uint32_t value) {
  if (s.bits_per_pixel == 32) {
    s.row32(y)[x] = value;
    return;
  }
  uint8_t* p = s.bits + s.stride * y + 3 * x;
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
  p[2] = static_cast<uint8_t>(value >> 16);
}

// A device-space rectangle in 64 bits, so that logical extents cannot overflow.
struct Span {
  int64_t left, top, right, bottom;
  bool empty() const { return left >= right || top >= bottom; }
};

Span intersect(const Span& a, const RECT& b) {
  return {std::max<int64_t>(a.left, b.left), std::max<int64_t>(a.top, b.top), std::min<int64_t>(a.right, b.right),
          std::min<int64_t>(a.bottom, b.bottom)};
}

// The parts of `area` that drawing on `dc` may touch, within its surface.
std::vector<Span> visible_parts(HDC dc, const Surface& surface, const Span& area) {
  const RECT bounds{0, 0, surface.width, surface.height};
  std::vector<Span> parts;
  for (const RECT& clip : platform::gdi::dc_clip_rects(dc)) {
    const Span part = intersect(intersect(area, clip), bounds);
    if (!part.empty()) parts.push_back(part);
  }
  return parts;
}

BOOL fail() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

// ---- AlphaBlend ----------------------------------------------------------------

bool overlaps(const Surface& a, const Span& in_a, const Surface& b, const Span& in_b) {
  return a.bits == b.bits && in_a.left < in_b.right && in_b.left < in_a.right && in_a.top < in_b.bottom &&
         in_b.top < in_a.bottom;
}

// Fails for a blend other than AC_SRC_OVER with zero flags, negative extents,
// a source rectangle outside the source bitmap, a per-pixel alpha source
// that is not 32-bit, or overlapping rectangles on one bitmap. Stretches with
// the platform's nearest-neighbour rule.
BOOL AlphaBlend(HDC dst, int xd, int yd, int wd, int hd, HDC src, int xs, int ys, int ws, int hs,
                BLENDFUNCTION blend) {
  const bool per_pixel_alpha = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
  if (blend.BlendOp != AC_SRC_OVER || blend.BlendFlags != 0 || (blend.AlphaFormat & ~AC_SRC_ALPHA) != 0 || wd < 0 ||
      hd < 0 || ws < 0 || hs < 0) {
    return fail();
  }
  Surface target, source;
  if (!platform::gdi::dc_surface(dst, &target) || !platform::gdi::dc_surface(src, &source) || !supported(target) ||
      !supported(source) || (per_pixel_alpha && source.bits_per_pixel != 32)) {
    return fail();
  }
  const POINT source_origin = platform::gdi::dc_viewport_origin(src);
  const Span from{int64_t{xs} + source_origin.x, int64_t{ys} + source_origin.y,
                  int64_t{xs} + source_origin.x + ws, int64_t{ys} + source_origin.y + hs};
  if (from.left < 0 || from.top < 0 || from.right > source.width || from.bottom > source.height) return fail();
  const POINT target_origin = platform::gdi::dc_viewport_origin(dst);
  const Span to{int64_t{xd} + target_origin.x, int64_t{yd} + target_origin.y, int64_t{xd} + target_origin.x + wd,
                int64_t{yd} + target_origin.y + hd};
  if (to.empty() || from.empty()) return TRUE;
  if (overlaps(target, to, source, from)) return fail();

  // Axis maps as for StretchBlt: a translation, or one source column per
  // destination column computed once; the source lies inside its bitmap.
  using platform::gdi::AxisMap;
  const AxisMap mx = platform::gdi::map_axis(to.left, wd, 0, target.width, from.left, ws, source.width);
  const AxisMap my = platform::gdi::map_axis(to.top, hd, 0, target.height, from.top, hs, source.height);
  if (mx.empty() || my.empty()) return TRUE;
  const size_t width = static_cast<size_t>(mx.hi - mx.lo);
  std::vector<uint32_t> source_words(width), target_words(width);
  for (const RECT& clip : platform::gdi::dc_clip_rects(dst)) {
    const RECT area = platform::gdi::clipped_area(clip, mx, my);
    const int x0 = area.left, x1 = area.right, y0 = area.top, y1 = area.bottom;
    if (x0 >= x1 || y0 >= y1) continue;
    const size_t n = static_cast<size_t>(x1 - x0);
    int gathered_row = -1;  // the source row whose columns source_words holds
    for (int y = y0; y < y1; ++y) {
      const int sy = static_cast<int>(my.source(y));
      const uint32_t* s = source_words.data();
      if (mx.translated()) {
        s = platform::gdi::open_span(source, static_cast<int>(x0 + mx.shift), sy, n, source_words.data());
      } else if (sy != gathered_row) {
        // An enlarged row that repeats the source row above keeps its columns.
        if (source.bits_per_pixel == 32) {
          platform::gdi::gather_span(source.row32(sy), mx.table.data() + (x0 - mx.lo), n, source_words.data());
        } else {
          for (size_t i = 0; i < n; ++i)
            source_words[i] = platform::gdi::read_pixel(source, mx.table[x0 - mx.lo + i], sy);
        }
        gathered_row = sy;
      }
      uint32_t* d = platform::gdi::open_span(target, x0, y, n, target_words.data());
      alpha_blend_row(d, s, n, blend.SourceConstantAlpha, per_pixel_alpha);
      platform::gdi::close_span(target, x0, y, n, d);
    }
  }
  return TRUE;
}

// ---- GradientFill --------------------------------------------------------------

// A vertex colour with 16-bit channels; pixels take the top 8 bits.
struct Colour {
  double red, green, blue, alpha;
};

Colour colour_of(const TRIVERTEX& v) { return {double(v.Red), double(v.Green), double(v.Blue), double(v.Alpha)}; }

// The weighted sum of `count` colours (weights summing to 1).
Colour mix(const Colour* colours, const double* weights, int count) {
  Colour sum{0, 0, 0, 0};
  for (int i = 0; i < count; ++i) {
    sum.red += colours[i].red * weights[i];
    sum.green += colours[i].green * weights[i];
    sum.blue += colours[i].blue * weights[i];
    sum.alpha += colours[i].alpha * weights[i];
  }
  return sum;
}

uint32_t channel(double value) { return static_cast<uint32_t>(std::clamp(std::lround(value), 0L, 65535L)) >> 8; }

uint32_t pixel_of(const Colour& c) {
  return (channel(c.alpha) << 24) | (channel(c.red) << 16) | (channel(c.green) << 8) | channel(c.blue);
}

// Colour `step` of `steps` + 1 evenly spaced ones from `first` to `last`, so
// that the first and last rows or columns take the vertex colours exactly.
uint32_t ramp(const Colour& first, const Colour& last, int64_t step, int64_t steps) {
  const double t = steps == 0 ? 0.0 : double(step) / double(steps);
  const Colour ends[2] = {first, last};
  const double weights[2] = {1.0 - t, t};
  return pixel_of(mix(ends, weights, 2));
}

// GRADIENT_FILL_RECT_H and _V: the rectangle spanned by two vertices, shaded
// from the left (top) vertex's colour to the right (bottom) one's.
void fill_rectangle(HDC dc, const Surface& surface, POINT origin, const TRIVERTEX& a, const TRIVERTEX& b,
                    bool vertical) {
  const Span area{std::min<int64_t>(a.x, b.x) + origin.x, std::min<int64_t>(a.y, b.y) + origin.y,
                  std::max<int64_t>(a.x, b.x) + origin.x, std::max<int64_t>(a.y, b.y) + origin.y};
  if (area.empty()) return;
  const bool a_first = vertical ? a.y <= b.y : a.x <= b.x;
  const Colour first = colour_of(a_first ? a : b), last = colour_of(a_first ? b : a);
  const int64_t steps = vertical ? area.bottom - area.top - 1 : area.right - area.left - 1;
  for (const Span& part : visible_parts(dc, surface, area)) {
    for (int64_t y = part.top; y < part.bottom; ++y) {
      for (int64_t x = part.left; x < part.right; ++x) {
        const int64_t step = vertical ? y - area.top : x - area.left;
        store(surface, static_cast<int>(x), static_cast<int>(y), ramp(first, last, step, steps));
      }
    }
  }
}

// Triangles: GDI's coordinate range keeps the edge functions within 64 bits.
constexpr int64_t kCoordinateLimit = int64_t{1} << 27;

struct Point2 {
  int64_t x, y;
};

// Twice the signed area of (a, b, p); positive when p is right of a->b with y down.
int64_t edge(const Point2& a, const Point2& b, const Point2& p) {
  return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

// The top-left rule: a pixel centre exactly on an edge belongs to the
// triangle only for a top edge or a left edge.
bool owns(const Point2& a, const Point2& b, int64_t weight) {
  if (weight != 0) return weight > 0;
  const int64_t dx = b.x - a.x, dy = b.y - a.y;
  return dy < 0 || (dy == 0 && dx > 0);
}

// GRADIENT_FILL_TRIANGLE: the pixels whose centres lie in the triangle,
// shaded by barycentric interpolation at those centres.
void fill_triangle(HDC dc, const Surface& surface, POINT origin, const TRIVERTEX* v[3]) {
  // Doubled coordinates put pixel centres on whole numbers.
  Point2 p[3];
  for (int i = 0; i < 3; ++i) p[i] = {2 * (int64_t{v[i]->x} + origin.x), 2 * (int64_t{v[i]->y} + origin.y)};
  if (edge(p[0], p[1], p[2]) < 0) {
    std::swap(p[1], p[2]);
    std::swap(v[1], v[2]);
  }
  const int64_t area = edge(p[0], p[1], p[2]);
  if (area == 0) return;
  const Colour corners[3] = {colour_of(*v[0]), colour_of(*v[1]), colour_of(*v[2])};
  const Span bounds{std::min({p[0].x, p[1].x, p[2].x}) / 2, std::min({p[0].y, p[1].y, p[2].y}) / 2,
                    std::max({p[0].x, p[1].x, p[2].x}) / 2, std::max({p[0].y, p[1].y, p[2].y}) / 2};
  for (const Span& part : visible_parts(dc, surface, bounds)) {
    for (int64_t y = part.top; y < part.bottom; ++y) {
      for (int64_t x = part.left; x < part.right; ++x) {
        const Point2 centre{2 * x + 1, 2 * y + 1};
        const int64_t w0 = edge(p[1], p[2], centre), w1 = edge(p[2], p[0], centre), w2 = edge(p[0], p[1], centre);
        if (!owns(p[1], p[2], w0) || !owns(p[2], p[0], w1) || !owns(p[0], p[1], w2)) continue;
        const double weights[3] = {double(w0) / double(area), double(w1) / double(area), double(w2) / double(area)};
        store(surface, static_cast<int>(x), static_cast<int>(y), pixel_of(mix(corners, weights, 3)));
      }
    }
  }
}

bool in_range(const TRIVERTEX& v) {
  return std::abs(int64_t{v.x}) <= kCoordinateLimit && std::abs(int64_t{v.y}) <= kCoordinateLimit;
}

// Alpha is written as given by the vertices (Alpha >> 8).
BOOL GradientFill(HDC dc, TRIVERTEX* vertices, ULONG vertex_count, void* meshes, ULONG mesh_count, ULONG mode) {
  if (vertices == nullptr || (meshes == nullptr && mesh_count != 0) || mode > GRADIENT_FILL_TRIANGLE) return fail();
  Surface surface;
  if (!platform::gdi::dc_surface(dc, &surface) || !supported(surface)) return fail();
  const POINT origin = platform::gdi::dc_viewport_origin(dc);
  for (ULONG m = 0; m < mesh_count; ++m) {
    if (mode == GRADIENT_FILL_TRIANGLE) {
      const GRADIENT_TRIANGLE& mesh = static_cast<const GRADIENT_TRIANGLE*>(meshes)[m];
      const ULONG index[3] = {mesh.Vertex1, mesh.Vertex2, mesh.Vertex3};
      const TRIVERTEX* corners[3];
      for (int i = 0; i < 3; ++i) {
        if (index[i] >= vertex_count || !in_range(vertices[index[i]])) return fail();
        corners[i] = &vertices[index[i]];
      }
      fill_triangle(dc, surface, origin, corners);
    } else {
      const GRADIENT_RECT& mesh = static_cast<const GRADIENT_RECT*>(meshes)[m];
      if (mesh.UpperLeft >= vertex_count || mesh.LowerRight >= vertex_count) return fail();
      fill_rectangle(dc, surface, origin, vertices[mesh.UpperLeft], vertices[mesh.LowerRight],
                     mode == GRADIENT_FILL_RECT_V);
    }
  }
  return TRUE;
}

}  // namespace

ExportTable msimg32_exports() {
  static const Export exports[] = {
      {"AlphaBlend", export_address(AlphaBlend)},
      {"GradientFill", export_address(GradientFill)},
  };
  return export_table(exports);
}

}  // namespace platform::syslibs
