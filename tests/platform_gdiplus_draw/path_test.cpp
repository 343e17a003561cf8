// Paths: the recorded points and types, figures, bounds, flattening,
// widening, warping, outlines, text, point tests, and a path fill drawing
// what the shape call draws. Depends on: draw_test_support.h.
#include <cmath>

#include "platform/gdiplus_text.h"

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
  // Point tests in world coordinates, or in device ones through `graphics`.
  bool visible(GpPath* p, REAL x, REAL y, GpGraphics* graphics = nullptr) {
    BOOL result = -1;
    EXPECT_EQ(GdipIsVisiblePathPoint(p, x, y, graphics, &result), Ok);
    return result == TRUE;
  }
  bool on_outline(GpPath* p, REAL x, REAL y, GpPen* pen, GpGraphics* graphics = nullptr) {
    BOOL result = -1;
    EXPECT_EQ(GdipIsOutlineVisiblePathPoint(p, x, y, pen, graphics, &result), Ok);
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

TEST_F(PathTest, EllipsesAndArcsAreBeziersWithBoundsFlatteningAndTransforms) {
  GpPath* p = path();
  ASSERT_EQ(GdipAddPathEllipse(p, 10, 20, 30, 40), Ok);
  const std::vector<GpPointF> pts = read<GpPointF>(p);
  ASSERT_EQ(pts.size(), 13u);
  EXPECT_NEAR(pts[0].X, 40, 1e-4);  // starts at 0 degrees
  EXPECT_NEAR(pts[0].Y, 40, 1e-4);
  EXPECT_NEAR(pts[3].X, 25, 1e-4);  // a quarter further: the bottom
  EXPECT_NEAR(pts[3].Y, 60, 1e-4);
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
  GpPath* arc = path();
  ASSERT_EQ(GdipAddPathArc(arc, 0, 0, 20, 10, 45, 45), Ok);
  // The 45 degree ray meets the ellipse at (10 + t, 5 + t) with t = 1/sqrt(1/100 + 1/25).
  const double t = 1 / std::sqrt(0.01 + 0.04);
  EXPECT_NEAR(read<GpPointF>(arc)[0].X, 10 + t, 1e-3);
  EXPECT_NEAR(read<GpPointF>(arc)[0].Y, 5 + t, 1e-3);
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
  EXPECT_TRUE(on_outline(line, 50, 2.9f, p));
  EXPECT_FALSE(on_outline(line, 50, 3.1f, p));
  ASSERT_EQ(GdipWidenPath(line, p, nullptr, 0.25f), Ok);
  EXPECT_TRUE(visible(line, 50, 2.9f));
  EXPECT_FALSE(visible(line, 50, 3.1f));
  EXPECT_FALSE(visible(line, 101, 0));
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

TEST_F(PathTest, CreatingFromTypesChecksThem) {
  const GpPointF pts[5] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};
  const struct {
    std::vector<BYTE> types;
    bool valid;
  } cases[] = {
      {{0, 1, 1, 0x81, 0}, true},  {{0, 3, 3, 3, 0x81}, true}, {{0, 1, 0, 1, 0x20}, true},
      {{1, 1, 1, 1, 1}, false},    {{0, 3, 3, 1, 1}, false},   {{0, 1, 1, 3, 3}, false},
      {{0, 2, 1, 1, 1}, false},    {{0, 0x41, 1, 1, 1}, false},
  };
  for (const auto& c : cases) {
    GpPath* made = nullptr;
    EXPECT_EQ(GdipCreatePath2(pts, c.types.data(), 5, FillModeAlternate, &made), c.valid ? Ok : InvalidParameter);
    if (made == nullptr) continue;
    paths_.push_back(made);
    EXPECT_EQ(read<BYTE>(made), c.types);
  }
  // An open last figure continues; a closed one does not.
  const BYTE open[2] = {0, 1};
  GpPath* p = nullptr;
  ASSERT_EQ(GdipCreatePath2(pts, open, 2, FillModeAlternate, &p), Ok);
  paths_.push_back(p);
  ASSERT_EQ(GdipAddPathLine(p, 5, 5, 6, 6), Ok);
  EXPECT_EQ(read<BYTE>(p), (std::vector<BYTE>{0, 1, 1, 1}));
}

TEST_F(PathTest, CloseAllReverseAndLastPoint) {
  GpPath* p = path();
  GpPointF last{};
  EXPECT_EQ(GdipGetPathLastPoint(p, &last), InvalidParameter);
  ASSERT_EQ(GdipAddPathBezier(p, 0, 0, 1, 1, 2, 2, 3, 3), Ok);
  ASSERT_EQ(GdipAddPathLine(p, 3, 3, 9, 9), Ok);
  ASSERT_EQ(GdipAddPathRectangle(p, 20, 20, 5, 5), Ok);
  ASSERT_EQ(GdipStartPathFigure(p), Ok);
  ASSERT_EQ(GdipAddPathLine(p, 40, 0, 50, 0), Ok);
  ASSERT_EQ(GdipGetPathLastPoint(p, &last), Ok);
  EXPECT_EQ(last.X, 50);
  ASSERT_EQ(GdipReversePath(p), Ok);
  EXPECT_EQ(read<BYTE>(p), (std::vector<BYTE>{0, 1, 0, 1, 1, 0x81, 0, 1, 3, 3, 3}));
  const std::vector<GpPointF> reversed = read<GpPointF>(p);
  EXPECT_EQ(reversed.front().X, 50);
  EXPECT_EQ(reversed.back().X, 0);
  ASSERT_EQ(GdipClosePathFigures(p), Ok);
  EXPECT_EQ(read<BYTE>(p), (std::vector<BYTE>{0, 0x81, 0, 1, 1, 0x81, 0, 1, 3, 3, 0x83}));
}

TEST_F(PathTest, WarpMapsTheRectangleOntoThePoints) {
  const GpPointF three[3] = {{100, 100}, {120, 100}, {100, 130}};
  const GpPointF four[4] = {{0, 0}, {40, 0}, {10, 20}, {30, 20}};
  GpPath* p = path();
  ASSERT_EQ(GdipAddPathRectangle(p, 0, 0, 10, 10), Ok);
  EXPECT_EQ(GdipWarpPath(p, nullptr, three, 2, 0, 0, 10, 10, WarpModePerspective, 0.25f), InvalidParameter);
  EXPECT_EQ(GdipWarpPath(p, nullptr, three, 3, 0, 0, 10, 10, WarpModeBilinear, 0.25f), NotImplemented);
  EXPECT_EQ(GdipWarpPath(p, nullptr, three, 3, 0, 0, 0, 10, WarpModePerspective, 0.25f), InvalidParameter);
  ASSERT_EQ(GdipWarpPath(p, nullptr, three, 3, 0, 0, 10, 10, WarpModePerspective, 0.25f), Ok);
  std::vector<GpPointF> pts = read<GpPointF>(p);
  ASSERT_EQ(pts.size(), 4u);
  EXPECT_NEAR(pts[2].X, 120, 1e-4);  // the far corner of the parallelogram
  EXPECT_NEAR(pts[2].Y, 130, 1e-4);
  GpPath* q = path();
  ASSERT_EQ(GdipAddPathRectangle(q, 0, 0, 10, 10), Ok);
  ASSERT_EQ(GdipWarpPath(q, nullptr, four, 4, 0, 0, 10, 10, WarpModePerspective, 0.25f), Ok);
  pts = read<GpPointF>(q);
  const GpPointF expected[4] = {four[0], four[1], four[3], four[2]};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(pts[i].X, expected[i].X, 1e-3) << i;
    EXPECT_NEAR(pts[i].Y, expected[i].Y, 1e-3) << i;
  }
}

TEST_F(PathTest, WindingOutlineIsTheUnion) {
  GpPath* p = path();
  ASSERT_EQ(GdipAddPathRectangle(p, 0, 0, 10, 10), Ok);
  ASSERT_EQ(GdipAddPathRectangle(p, 5, 5, 10, 10), Ok);
  ASSERT_EQ(GdipWindingModeOutline(p, nullptr, 0.25f), Ok);
  const std::vector<BYTE> types = read<BYTE>(p);
  EXPECT_EQ(types.size(), 8u);  // one L-shaped figure
  EXPECT_EQ(types.back(), PathPointTypeLine | PathPointTypeCloseSubpath);
  EXPECT_TRUE(visible(p, 7, 7));
  EXPECT_TRUE(visible(p, 2, 2));
  EXPECT_FALSE(visible(p, 12, 2));
}

TEST_F(PathTest, TextOutlinesInKnownFamiliesOnly) {
  GpFontFamily* family = nullptr;
  EXPECT_EQ(GdipCreateFontFamilyFromName(L"No Such Face 4711", nullptr, &family), FontFamilyNotFound);
  ASSERT_EQ(GdipCreateFontFamilyFromName(L"SimSun", nullptr, &family), Ok);
  GpPath* p = path();
  const GpRectF layout{10, 20, 0, 0};
  EXPECT_EQ(GdipAddPathString(p, L"H", 1, family, FontStyleRegular, 0, &layout, nullptr), InvalidParameter);
  ASSERT_EQ(GdipAddPathString(p, L"Hx", -1, family, FontStyleRegular, 40, &layout, nullptr), Ok);
  GdipDeleteFontFamily(family);
  GpRectF bounds{};
  ASSERT_EQ(GdipGetPathWorldBounds(p, &bounds, nullptr, nullptr), Ok);
  EXPECT_GT(bounds.X, 10);
  EXPECT_GT(bounds.Y, 20);
  EXPECT_LT(bounds.Y + bounds.Height, 20 + 40);
  EXPECT_GT(bounds.Width, 20);
  for (BYTE t : read<BYTE>(p)) EXPECT_NE(t & PathPointTypePathTypeMask, PathPointTypeBezier);
}

TEST_F(PathTest, PointTestsWithAGraphicsRunInDeviceCoordinates) {
  GpPath* p = path();
  ASSERT_EQ(GdipAddPathRectangle(p, 0, 0, 10, 10), Ok);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 20, 20, MatrixOrderPrepend), Ok);
  EXPECT_TRUE(visible(p, 25, 25, graphics_));
  EXPECT_FALSE(visible(p, 5, 5, graphics_));
  EXPECT_TRUE(on_outline(p, 20, 25, pen(kBlack, 2), graphics_));
  EXPECT_FALSE(on_outline(p, 0, 5, pen(kBlack, 2), graphics_));
}

}  // namespace
