// Exact emptiness, infiniteness and bounds of a region tree. The plane is cut
// into horizontal bands at every vertex and every crossing of two edges;
// inside a band no edges cross, so the edges split it into trapezoids over
// which membership does not change. One probe at each trapezoid's centre tells
// whether it belongs to the region.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "gdiplus/region.h"

namespace Gdiplus {

namespace {

using Node = GpRegion::Node;
using Kind = GpRegion::Kind;

// A non-horizontal edge, top end first.
struct Edge {
  double x0, y0, x1, y1;
  double x_at(double y) const { return x0 + (y - y0) * (x1 - x0) / (y1 - y0); }
};

void add_edge(std::vector<Edge>& edges, double ax, double ay, double bx, double by) {
  if (ay == by) return;
  if (ay > by) {
    std::swap(ax, bx);
    std::swap(ay, by);
  }
  edges.push_back(Edge{ax, ay, bx, by});
}

void collect_edges(const Node& node, std::vector<Edge>& edges) {
  switch (node.kind) {
    case Kind::Empty:
    case Kind::Infinite:
      return;
    case Kind::Rect: {
      const double left = node.rect.X, right = double(node.rect.X) + node.rect.Width;
      const double top = node.rect.Y, bottom = double(node.rect.Y) + node.rect.Height;
      add_edge(edges, left, top, left, bottom);
      add_edge(edges, right, top, right, bottom);
      return;
    }
    case Kind::Polygon:
      for (const GpRegion::Contour& contour : node.contours)
        for (size_t i = 0; i < contour.size(); ++i) {
          const GpPointF& a = contour[i];
          const GpPointF& b = contour[(i + 1) % contour.size()];
          add_edge(edges, a.X, a.Y, b.X, b.Y);
        }
      return;
    case Kind::Combine:
      collect_edges(*node.left, edges);
      collect_edges(*node.right, edges);
      return;
  }
}

// The y where `a` and `b` cross strictly inside the rows both span, if they do.
void add_crossing(const Edge& a, const Edge& b, std::vector<double>& ys) {
  const double top = std::max(a.y0, b.y0);
  const double bottom = std::min(a.y1, b.y1);
  if (!(top < bottom)) return;
  const double gap_top = a.x_at(top) - b.x_at(top);
  const double gap_bottom = a.x_at(bottom) - b.x_at(bottom);
  if ((gap_top < 0 && gap_bottom > 0) || (gap_top > 0 && gap_bottom < 0))
    ys.push_back(top + (bottom - top) * gap_top / (gap_top - gap_bottom));
}

struct Extent {
  bool any = false;        // some trapezoid belongs to the region
  bool all = true;         // every trapezoid does
  bool unbounded = false;  // a member trapezoid reaches infinity
  double left = std::numeric_limits<double>::infinity();
  double top = std::numeric_limits<double>::infinity();
  double right = -std::numeric_limits<double>::infinity();
  double bottom = -std::numeric_limits<double>::infinity();
};

// Probes the trapezoids of the band from `top` to `bottom` (either may be
// infinite, and then no edge lies in the band).
void scan_band(const Node& root, const std::vector<Edge>& edges, double top, double bottom, Extent& extent) {
  const bool bounded = std::isfinite(top) && std::isfinite(bottom);
  const double probe_y = bounded                ? (top + bottom) / 2
                         : std::isfinite(top)    ? top + 1
                         : std::isfinite(bottom) ? bottom - 1
                                                 : 0;
  std::vector<const Edge*> active;
  for (const Edge& edge : edges)
    if (edge.y0 <= probe_y && probe_y < edge.y1) active.push_back(&edge);
  std::sort(active.begin(), active.end(),
            [probe_y](const Edge* a, const Edge* b) { return a->x_at(probe_y) < b->x_at(probe_y); });
  for (size_t i = 0; i <= active.size(); ++i) {
    const Edge* left = i > 0 ? active[i - 1] : nullptr;
    const Edge* right = i < active.size() ? active[i] : nullptr;
    double probe_x = 0;
    if (left && right) {
      const double xl = left->x_at(probe_y), xr = right->x_at(probe_y);
      if (!(xl < xr)) continue;
      probe_x = (xl + xr) / 2;
    } else if (left) {
      probe_x = left->x_at(probe_y) + 1;
    } else if (right) {
      probe_x = right->x_at(probe_y) - 1;
    }
    if (!detail::node_contains(root, probe_x, probe_y)) {
      extent.all = false;
      continue;
    }
    extent.any = true;
    if (!bounded || !left || !right) {
      extent.unbounded = true;
      continue;
    }
    extent.top = std::min(extent.top, top);
    extent.bottom = std::max(extent.bottom, bottom);
    extent.left = std::min({extent.left, left->x_at(top), left->x_at(bottom)});
    extent.right = std::max({extent.right, right->x_at(top), right->x_at(bottom)});
  }
}

Extent measure(const Node& root) {
  std::vector<Edge> edges;
  collect_edges(root, edges);
  std::vector<double> ys;
  for (size_t i = 0; i < edges.size(); ++i) {
    ys.push_back(edges[i].y0);
    ys.push_back(edges[i].y1);
    for (size_t j = i + 1; j < edges.size(); ++j) add_crossing(edges[i], edges[j], ys);
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  const double infinity = std::numeric_limits<double>::infinity();
  ys.insert(ys.begin(), -infinity);
  ys.push_back(infinity);
  Extent extent;
  for (size_t i = 0; i + 1 < ys.size(); ++i) scan_band(root, edges, ys[i], ys[i + 1], extent);
  return extent;
}

}  // namespace

bool GpRegion::is_empty() const { return !measure(*root_).any; }

bool GpRegion::is_infinite() const { return measure(*root_).all; }

GpRectF GpRegion::bounds() const {
  const Extent extent = measure(*root_);
  if (!extent.any) return GpRectF{0, 0, 0, 0};
  if (extent.unbounded) return kInfiniteBounds;
  return GpRectF{REAL(extent.left), REAL(extent.top), REAL(extent.right - extent.left),
                 REAL(extent.bottom - extent.top)};
}

}  // namespace Gdiplus
