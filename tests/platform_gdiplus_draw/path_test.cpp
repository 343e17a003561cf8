// Paths: the recorded points and types, figures, bounds, flattening,
// widening, point tests, and regions made from paths.
#include <cmath>

#include "draw_test_support.h"

using namespace draw_test;

namespace {

class PathTest : public DrawTest {
 protected:
  // The path's points (GpPointF) or types (BYTE).
  template <class T>
  std::vector<T> read(GpPath* p) {
    INT n = 0;
    EXPECT_EQ(GdipGetPointCount(p, &n), Ok);
    std::vector<T> out(size_t(std::max(n, 1)));
    Status status = Ok;
    if constexpr (std::is_same_v<T, BYTE>) status = n > 0 ? GdipGetPathTypes(p, out.data(), n) : Ok;
    else status = n > 0 ? GdipGetPathPoints(p, out.data(), n) : Ok;
    EXPECT_EQ(status, Ok);
    out.resize(size_t(n));
    return out;
  }
  bool visible(GpPath* p, REAL x, REAL y) {
    BOOL result = -1;
    EXPECT_EQ(GdipIsVisiblePathPoint(p, x, y, nullptr, &result), Ok);
    return result == TRUE;
  }
};

TEST_F(PathTest, FiguresAndTypes) {
  GpPath* p = path();
  ASSERT_EQ(GdipAddPathLine(p, 0, 0, 10, 0), Ok);
  ASSERT_EQ(GdipAddPathLine(p, 10, 0, 10, 10), Ok);  // continues: the shared point is kept once
  ASSERT_EQ(GdipClosePathFigure(p), Ok);
  ASSERT_EQ(GdipAddPathRectangle(p, 20, 20, 5, 5), Ok);
  ASSERT_EQ(GdipAddPathBezier(p, 0, 30, 1, 31, 2, 32, 3, 33), Ok);
  const std::vector<BYTE> expected{0, 1, 0x81, 0, 1, 1, 0x81, 0, 3, 3, 3};
  EXPECT_EQ(read<BYTE>(p), expected);
  EXPECT_EQ(read<GpPointF>(p)[2].Y, 10);
  GpPath* copy = nullptr;
  ASSERT_EQ(GdipClonePath(p, &copy), Ok);
  paths_.push_back(copy);
  ASSERT_EQ(GdipResetPath(p), Ok);
  EXPECT_TRUE(read<BYTE>(p).empty());
  EXPECT_EQ(read<BYTE>(copy), expected);
  INT n = 0;
  EXPECT_EQ(GdipGetPathTypes(copy, reinterpret_cast<BYTE*>(&n), 1), InsufficientBuffer);
  // Adding a path twice, even to itself, doubles its points.
  GpPath* both = path();
  ASSERT_EQ(GdipAddPathPath(both, copy, FALSE), Ok);
  ASSERT_EQ(GdipAddPathPath(both, both, FALSE), Ok);
  EXPECT_EQ(read<BYTE>(both).size(), 2 * expected.size());
}

TEST_F(PathTest, ArcsAndEllipsesAreBeziers) {
  GpPath* p = path();
  ASSERT_EQ(GdipAddPathEllipse(p, 0, 0, 20, 10), Ok);
  const std::vector<GpPointF> pts = read<GpPointF>(p);
  ASSERT_EQ(pts.size(), 13u);
  EXPECT_NEAR(pts[0].X, 20, 1e-4);  // starts at 0 degrees
  EXPECT_NEAR(pts[0].Y, 5, 1e-4);
  EXPECT_NEAR(pts[3].X, 10, 1e-4);  // a quarter further: the bottom
  EXPECT_NEAR(pts[3].Y, 10, 1e-4);
  GpPath* arc = path();
  ASSERT_EQ(GdipAddPathArc(arc, 0, 0, 20, 10, 45, 45), Ok);
  // The 45 degree ray meets the ellipse at (10 + t, 5 + t) with t = 1/sqrt(1/100 + 1/25).
  const double t = 1 / std::sqrt(0.01 + 0.04);
  EXPECT_NEAR(read<GpPointF>(arc)[0].X, 10 + t, 1e-3);
  EXPECT_NEAR(read<GpPointF>(arc)[0].Y, 5 + t, 1e-3);
}

TEST_F(PathTest, BoundsFlattenAndTransform) {
  GpPath* p = path();
  ASSERT_EQ(GdipAddPathEllipse(p, 10, 20, 30, 40), Ok);
  GpRectF bounds{};
  ASSERT_EQ(GdipGetPathWorldBounds(p, &bounds, nullptr, nullptr), Ok);
  EXPECT_NEAR(bounds.X, 10, 0.01);
  EXPECT_NEAR(bounds.Width, 30, 0.01);
  EXPECT_NEAR(bounds.Height, 40, 0.01);
  ASSERT_EQ(GdipGetPathWorldBounds(p, &bounds, nullptr, pen(kBlack, 4)), Ok);
  EXPECT_NEAR(bounds.X, 8, 0.01);
  GpMatrix* twice = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(2, 0, 0, 2, 0, 0, &twice), Ok);
  ASSERT_EQ(GdipTransformPath(p, twice), Ok);
  GdipDeleteMatrix(twice);
  ASSERT_EQ(GdipGetPathWorldBounds(p, &bounds, nullptr, nullptr), Ok);
  EXPECT_NEAR(bounds.Width, 60, 0.01);
  ASSERT_EQ(GdipFlattenPath(p, nullptr, 0.25f), Ok);
  const std::vector<BYTE> flat = read<BYTE>(p);
  EXPECT_GT(flat.size(), 20u);
  for (size_t i = 1; i + 1 < flat.size(); ++i) EXPECT_EQ(flat[i], PathPointTypeLine);
  EXPECT_EQ(flat.back(), PathPointTypeLine | PathPointTypeCloseSubpath);
}

TEST_F(PathTest, VisibilityAndWidening) {
  GpPath* ring = path();
  ASSERT_EQ(GdipAddPathEllipse(ring, 0, 0, 40, 40), Ok);
  ASSERT_EQ(GdipAddPathEllipse(ring, 10, 10, 20, 20), Ok);
  EXPECT_TRUE(visible(ring, 5, 20));
  EXPECT_FALSE(visible(ring, 20, 20));  // alternate: the inner ellipse is a hole
  ASSERT_EQ(GdipSetPathFillMode(ring, FillModeWinding), Ok);
  EXPECT_TRUE(visible(ring, 20, 20));
  GpPath* line = path();
  ASSERT_EQ(GdipAddPathLine(line, 0, 0, 100, 0), Ok);
  GpPen* p = pen(kBlack, 6);
  BOOL on = FALSE;
  ASSERT_EQ(GdipIsOutlineVisiblePathPoint(line, 50, 2.9f, p, nullptr, &on), Ok);
  EXPECT_TRUE(on);
  ASSERT_EQ(GdipIsOutlineVisiblePathPoint(line, 50, 3.1f, p, nullptr, &on), Ok);
  EXPECT_FALSE(on);
  ASSERT_EQ(GdipWidenPath(line, p, nullptr, 0.25f), Ok);
  EXPECT_TRUE(visible(line, 50, 2.9f));
  EXPECT_FALSE(visible(line, 50, 3.1f));
  EXPECT_FALSE(visible(line, 101, 0));
}

TEST_F(PathTest, RegionFromPath) {
  GpPath* triangle = path();
  const GpPointF pts[3] = {{0, 0}, {40, 0}, {0, 40}};
  ASSERT_EQ(GdipAddPathPolygon(triangle, pts, 3), Ok);
  GpRegion* region = nullptr;
  ASSERT_EQ(GdipCreateRegionPath(triangle, &region), Ok);
  BOOL inside = FALSE;
  ASSERT_EQ(GdipIsVisibleRegionPoint(region, 10, 10, nullptr, &inside), Ok);
  EXPECT_TRUE(inside);
  ASSERT_EQ(GdipIsVisibleRegionPoint(region, 30, 30, nullptr, &inside), Ok);
  EXPECT_FALSE(inside);
  GpRectF bounds{};
  ASSERT_EQ(GdipGetRegionBounds(region, graphics_, &bounds), Ok);
  EXPECT_NEAR(bounds.Width, 40, 1e-3);
  GdipDeleteRegion(region);
}

TEST_F(PathTest, PathDrawingMatchesTheShapeCalls) {
  GpPath* p = path();
  ASSERT_EQ(GdipAddPathPie(p, 4, 4, 50, 50, 30, 200), Ok);
  ASSERT_EQ(GdipFillPath(graphics_, brush(kBlack), p), Ok);
  const std::vector<uint32_t> by_path = snapshot();
  fill_all(kWhite);
  ASSERT_EQ(GdipFillPie(graphics_, brush(kBlack), 4, 4, 50, 50, 30, 200), Ok);
  EXPECT_EQ(snapshot(), by_path);
}

}  // namespace
