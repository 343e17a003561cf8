// Region trees: construction, combination (folding away the cases whose
// result is one of the operands, nothing or everything), transformation and
// point membership.
// Depends on: matrix, status. Makes no masks (clip_mask) and no regions from paths (region_path).
#include "gdiplus/region.h"

#include <algorithm>

namespace Gdiplus {

namespace {

using Node = GpRegion::Node;
using NodePtr = GpRegion::NodePtr;
using Kind = GpRegion::Kind;

NodePtr make_node(Kind kind) {
  auto node = std::make_shared<Node>();
  node->kind = kind;
  return node;
}

NodePtr rect_node(REAL x0, REAL y0, REAL x1, REAL y1) {
  if (x0 > x1) std::swap(x0, x1);
  if (y0 > y1) std::swap(y0, y1);
  if (!(x0 < x1 && y0 < y1)) return make_node(Kind::Empty);
  auto node = std::make_shared<Node>();
  node->kind = Kind::Rect;
  node->rect = GpRectF{x0, y0, x1 - x0, y1 - y0};
  return node;
}

NodePtr intersect_rects(const GpRectF& a, const GpRectF& b) {
  const REAL x0 = std::max(a.X, b.X);
  const REAL y0 = std::max(a.Y, b.Y);
  const REAL x1 = std::min(a.X + a.Width, b.X + b.Width);
  const REAL y1 = std::min(a.Y + a.Height, b.Y + b.Height);
  if (!(x0 < x1 && y0 < y1)) return make_node(Kind::Empty);
  return rect_node(x0, y0, x1, y1);
}

// `a mode b`, without a new node when the answer is already at hand.
NodePtr combine_nodes(const NodePtr& a, const NodePtr& b, CombineMode mode) {
  const Kind ka = a->kind;
  const Kind kb = b->kind;
  switch (mode) {
    case CombineModeReplace:
      return b;
    case CombineModeIntersect:
      if (ka == Kind::Empty || kb == Kind::Empty) return make_node(Kind::Empty);
      if (ka == Kind::Infinite) return b;
      if (kb == Kind::Infinite) return a;
      if (ka == Kind::Rect && kb == Kind::Rect) return intersect_rects(a->rect, b->rect);
      break;
    case CombineModeUnion:
      if (ka == Kind::Empty) return b;
      if (kb == Kind::Empty) return a;
      if (ka == Kind::Infinite || kb == Kind::Infinite) return make_node(Kind::Infinite);
      break;
    case CombineModeXor:
      if (ka == Kind::Empty) return b;
      if (kb == Kind::Empty) return a;
      break;
    case CombineModeExclude:
      if (ka == Kind::Empty || kb == Kind::Infinite) return make_node(Kind::Empty);
      if (kb == Kind::Empty) return a;
      break;
    case CombineModeComplement:
      if (kb == Kind::Empty || ka == Kind::Infinite) return make_node(Kind::Empty);
      if (ka == Kind::Empty) return b;
      break;
  }
  auto node = std::make_shared<Node>();
  node->kind = Kind::Combine;
  node->op = mode;
  node->left = a;
  node->right = b;
  return node;
}

NodePtr transform_node(const NodePtr& node, const GpMatrix& m) {
  switch (node->kind) {
    case Kind::Empty:
    case Kind::Infinite:
      return node;
    case Kind::Rect: {
      const GpRectF& r = node->rect;
      const GpPointF corners[4] = {{r.X, r.Y}, {r.X + r.Width, r.Y}, {r.X + r.Width, r.Y + r.Height},
                                   {r.X, r.Y + r.Height}};
      if (m.keeps_axes()) {
        const GpPointF p0 = m.apply(corners[0]);
        const GpPointF p1 = m.apply(corners[2]);
        return rect_node(p0.X, p0.Y, p1.X, p1.Y);
      }
      auto polygon = std::make_shared<Node>();
      polygon->kind = Kind::Polygon;
      polygon->contours.emplace_back();
      for (const GpPointF& corner : corners) polygon->contours.back().push_back(m.apply(corner));
      return polygon;
    }
    case Kind::Polygon: {
      auto polygon = std::make_shared<Node>(*node);
      for (GpRegion::Contour& contour : polygon->contours)
        for (GpPointF& point : contour) point = m.apply(point);
      return polygon;
    }
    case Kind::Combine: {
      auto combined = std::make_shared<Node>(*node);
      combined->left = transform_node(node->left, m);
      combined->right = transform_node(node->right, m);
      return combined;
    }
  }
  return node;
}

bool polygon_contains(const Node& node, double x, double y) {
  int winding = 0;
  for (const GpRegion::Contour& contour : node.contours) {
    for (size_t i = 0; i < contour.size(); ++i) {
      const GpPointF& a = contour[i];
      const GpPointF& b = contour[(i + 1) % contour.size()];
      if ((a.Y <= y) == (b.Y <= y)) continue;
      const double crossing = a.X + (y - a.Y) * (double(b.X) - a.X) / (double(b.Y) - a.Y);
      if (x < crossing) winding += b.Y > a.Y ? 1 : -1;
    }
  }
  return node.fill_mode == FillModeWinding ? winding != 0 : (winding & 1) != 0;
}

}  // namespace

namespace detail {

bool node_contains(const Node& node, double x, double y) {
  switch (node.kind) {
    case Kind::Empty:
      return false;
    case Kind::Infinite:
      return true;
    case Kind::Rect:
      return x >= node.rect.X && x < double(node.rect.X) + node.rect.Width && y >= node.rect.Y &&
             y < double(node.rect.Y) + node.rect.Height;
    case Kind::Polygon:
      return polygon_contains(node, x, y);
    case Kind::Combine: {
      const bool in_left = node_contains(*node.left, x, y);
      const bool in_right = node_contains(*node.right, x, y);
      switch (node.op) {
        case CombineModeReplace:
          return in_right;
        case CombineModeIntersect:
          return in_left && in_right;
        case CombineModeUnion:
          return in_left || in_right;
        case CombineModeXor:
          return in_left != in_right;
        case CombineModeExclude:
          return in_left && !in_right;
        case CombineModeComplement:
          return in_right && !in_left;
      }
    }
  }
  return false;
}

}  // namespace detail

GpRegion::GpRegion() : root_(make_node(Kind::Infinite)) {}

GpRegion GpRegion::empty() { return GpRegion(make_node(Kind::Empty)); }

GpRegion GpRegion::from_rect(const GpRectF& rect) {
  return GpRegion(rect_node(rect.X, rect.Y, rect.X + rect.Width, rect.Y + rect.Height));
}

GpRegion GpRegion::from_contours(std::vector<Contour> contours, FillMode mode) {
  contours.erase(std::remove_if(contours.begin(), contours.end(), [](const Contour& c) { return c.size() < 3; }),
                 contours.end());
  if (contours.empty()) return empty();
  auto node = std::make_shared<Node>();
  node->kind = Kind::Polygon;
  node->contours = std::move(contours);
  node->fill_mode = mode;
  return GpRegion(node);
}

void GpRegion::set_infinite() { root_ = make_node(Kind::Infinite); }

void GpRegion::combine(const GpRegion& other, CombineMode mode) { root_ = combine_nodes(root_, other.root_, mode); }

GpRegion GpRegion::transformed(const GpMatrix& matrix) const { return GpRegion(transform_node(root_, matrix)); }

bool GpRegion::contains(REAL x, REAL y) const { return detail::node_contains(*root_, x, y); }

}  // namespace Gdiplus
