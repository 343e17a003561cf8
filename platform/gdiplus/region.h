// GpRegion: an area of the plane kept as an immutable tree of primitives
// (nothing, everything, an axis-aligned rectangle, a set of closed polygon
// contours) joined by combine operations. Trees are shared between copies, so
// copying a region is cheap. Drawing turns the tree into a coverage mask;
// here it answers membership exactly.
// Depends on: matrix, status. Draws nothing.
#pragma once

#include <memory>
#include <vector>

#include "gdiplus/matrix.h"
#include "gdiplus/status.h"
#include "platform/gdiplus.h"

namespace Gdiplus {

class GpRegion {
 public:
  enum class Kind { Empty, Infinite, Rect, Polygon, Combine };
  struct Node;
  using NodePtr = std::shared_ptr<const Node>;
  using Contour = std::vector<GpPointF>;
  struct Node {
    Kind kind = Kind::Infinite;
    GpRectF rect{};                  // Rect: Width and Height > 0
    std::vector<Contour> contours;   // Polygon: closed contours (last point joins the first)
    FillMode fill_mode = FillModeAlternate;
    CombineMode op = CombineModeReplace;  // Combine: `left op right`, op is neither Replace nor a no-op
    NodePtr left, right;
  };

  GpRegion();  // infinite
  static GpRegion empty();
  // Negative sizes are normalised; a zero size gives an empty region.
  static GpRegion from_rect(const GpRectF& rect);
  // Closed contours (each point list joins its last point to its first) filled by `mode`.
  static GpRegion from_contours(std::vector<Contour> contours, FillMode mode);

  void set_infinite();
  // Replace: other; Intersect: this & other; Union: this | other; Xor;
  // Exclude: this - other; Complement: other - this.
  void combine(const GpRegion& other, CombineMode mode);
  // The region with every point mapped by `matrix` (which must be invertible).
  GpRegion transformed(const GpMatrix& matrix) const;

  // Rectangles and contours include their left/top edges, not their right/bottom ones.
  bool contains(REAL x, REAL y) const;

  const Node& root() const { return *root_; }
  // The tree itself: trees never change, so its identity tells whether a region changed.
  const NodePtr& root_node() const { return root_; }

 private:
  explicit GpRegion(NodePtr root) : root_(std::move(root)) {}
  NodePtr root_;
};

namespace detail {
inline bool valid_combine_mode(CombineMode mode) { return in_range(mode, CombineModeReplace, CombineModeComplement); }
bool node_contains(const GpRegion::Node& node, double x, double y);
}  // namespace detail

}  // namespace Gdiplus
