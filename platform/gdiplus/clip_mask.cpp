// Region trees turned into pixel masks: every leaf is point-sampled at pixel
// centres over the box, and the combine operations become byte operations.
// Depends on: region, raster. Anti-aliases nothing and draws nothing.
#include "gdiplus/clip_mask.h"

#include <algorithm>
#include <cmath>

namespace Gdiplus::render {

namespace {

using Node = GpRegion::Node;
using Kind = GpRegion::Kind;

void fill_rect(const GpRectF& rect, const PixelBox& box, std::vector<uint8_t>& bits) {
  const int x0 = first_centre(rect.X, box.x0, box.x1);
  const int x1 = first_centre(double(rect.X) + rect.Width, box.x0, box.x1);
  const int y0 = first_centre(rect.Y, box.y0, box.y1);
  const int y1 = first_centre(double(rect.Y) + rect.Height, box.y0, box.y1);
  const int width = box.x1 - box.x0;
  for (int y = y0; y < y1; ++y)
    std::fill_n(bits.begin() + std::ptrdiff_t(y - box.y0) * width + (x0 - box.x0), std::max(0, x1 - x0), uint8_t(255));
}

uint8_t combine(CombineMode op, uint8_t a, uint8_t b) {
  switch (op) {
    case CombineModeIntersect:
      return a & b;
    case CombineModeUnion:
      return a | b;
    case CombineModeXor:
      return a ^ b;
    case CombineModeExclude:
      return a & uint8_t(~b);
    case CombineModeComplement:
      return b & uint8_t(~a);
    case CombineModeReplace:
      return b;
  }
  return 0;
}

void paint(const Node& node, const PixelBox& box, std::vector<uint8_t>& bits) {
  switch (node.kind) {
    case Kind::Empty:
      return;
    case Kind::Infinite:
      std::fill(bits.begin(), bits.end(), uint8_t(255));
      return;
    case Kind::Rect:
      fill_rect(node.rect, box, bits);
      return;
    case Kind::Polygon: {
      Rasterizer rasterizer(false, node.fill_mode, box);
      rasterizer.add(node.contours);
      CoverageBuffer coverage(box);
      rasterizer.sweep(coverage);
      bits = std::move(coverage.bits);  // `bits` arrives all zero
      return;
    }
    case Kind::Combine: {
      paint(*node.left, box, bits);
      std::vector<uint8_t> right(bits.size(), 0);
      paint(*node.right, box, right);
      for (size_t i = 0; i < bits.size(); ++i) bits[i] = combine(node.op, bits[i], right[i]);
      return;
    }
  }
}

// Shrinks `mask.box` to the pixels that are in, and drops the bytes when all of them are.
void tighten(ClipMask& mask) {
  const PixelBox old = mask.box;
  const int width = old.x1 - old.x0;
  PixelBox used{old.x1, old.y1, old.x0, old.y0};
  bool full = true;
  for (int y = old.y0; y < old.y1; ++y) {
    const uint8_t* row = mask.bits.data() + std::ptrdiff_t(y - old.y0) * width;
    for (int x = old.x0; x < old.x1; ++x) {
      if (row[x - old.x0] == 0) {
        full = false;
        continue;
      }
      used = PixelBox{std::min(used.x0, x), std::min(used.y0, y), std::max(used.x1, x + 1), std::max(used.y1, y + 1)};
    }
  }
  if (full) {
    mask.bits.clear();
    return;
  }
  if (used.empty()) {
    mask.box = PixelBox{};
    mask.bits.clear();
    return;
  }
  std::vector<uint8_t> bits;
  bits.reserve(size_t(used.x1 - used.x0) * size_t(used.y1 - used.y0));
  for (int y = used.y0; y < used.y1; ++y) {
    const auto row = mask.bits.begin() + std::ptrdiff_t(y - old.y0) * width;
    bits.insert(bits.end(), row + (used.x0 - old.x0), row + (used.x1 - old.x0));
  }
  mask.box = used;
  mask.bits = std::move(bits);
  // A rectangle inside a larger clip tree: no bytes needed once tightened.
  if (std::all_of(mask.bits.begin(), mask.bits.end(), [](uint8_t b) { return b != 0; })) mask.bits.clear();
}

// A polygon that is one axis-aligned rectangle with whole-pixel corners (a
// clip path made of a rectangle): no pixel centre lies on its edges, so it
// covers exactly the pixels of that rectangle, and needs no mask.
bool whole_pixel_rectangle(const Node& node, GpRectF* rect) {
  if (node.kind != Kind::Polygon || node.contours.size() != 1) return false;
  GpRegion::Contour c = node.contours[0];
  if (c.size() == 5 && c[4].X == c[0].X && c[4].Y == c[0].Y) c.pop_back();
  if (c.size() != 4) return false;
  for (const GpPointF& p : c)
    if (p.X != std::floor(p.X) || p.Y != std::floor(p.Y) || std::fabs(p.X) > 1e7f || std::fabs(p.Y) > 1e7f)
      return false;
  // Either edge order: the first edge horizontal or vertical, the rest alternating.
  const bool h = c[0].Y == c[1].Y;
  for (int i = 0; i < 4; ++i) {
    const GpPointF& a = c[size_t(i)];
    const GpPointF& b = c[size_t((i + 1) % 4)];
    const bool horizontal = (i % 2 == 0) == h;
    if (horizontal ? a.Y != b.Y : a.X != b.X) return false;
  }
  const REAL x0 = std::min(c[0].X, c[2].X), x1 = std::max(c[0].X, c[2].X);
  const REAL y0 = std::min(c[0].Y, c[2].Y), y1 = std::max(c[0].Y, c[2].Y);
  if (x0 == x1 || y0 == y1) return false;
  *rect = GpRectF{x0, y0, x1 - x0, y1 - y0};
  return true;
}

}  // namespace

std::vector<uint8_t> rasterize_region(const Node& region, const PixelBox& box) {
  std::vector<uint8_t> bits(box.empty() ? 0 : size_t(box.x1 - box.x0) * size_t(box.y1 - box.y0), 0);
  if (!box.empty()) paint(region, box, bits);
  return bits;
}

const ClipMask& update_clip_mask(ClipMask& cache, const GpRegion& clip, int width, int height) {
  if (cache.source == clip.root_node() && cache.surface_width == width && cache.surface_height == height) return cache;
  ClipMask mask;
  mask.source = clip.root_node();
  mask.surface_width = width;
  mask.surface_height = height;
  mask.box = PixelBox{0, 0, width, height};
  const Node& root = clip.root();
  GpRectF rect = root.rect;
  if (root.kind == Kind::Empty) {
    mask.box = PixelBox{};
  } else if (root.kind == Kind::Rect || whole_pixel_rectangle(root, &rect)) {
    mask.box = PixelBox{first_centre(rect.X, 0, width), first_centre(rect.Y, 0, height),
                        first_centre(double(rect.X) + rect.Width, 0, width),
                        first_centre(double(rect.Y) + rect.Height, 0, height)};
  } else if (root.kind != Kind::Infinite) {
    mask.bits = rasterize_region(root, mask.box);
    tighten(mask);
  }
  cache = std::move(mask);
  return cache;
}

}  // namespace Gdiplus::render
