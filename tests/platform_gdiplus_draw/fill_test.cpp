// Fills: seeded random aliased rectangles and polygons under random clips
// against a pixel-centre reference (both fill modes, both pixel offset
// modes, clips combined from rectangles and paths), anti-aliased coverage,
// compositing, ellipses and pies, transforms and argument checks.
// Depends on: draw_test_support.h, tests/support/seeded.h.
#include <cmath>

#include "draw_test_support.h"
#include "support/seeded.h"

using namespace draw_test;

namespace {

using FillTest = DrawTest;
using seeded::between;

// Whether the point (cx, cy) is inside the closed polygon under `mode`: the
// crossings at or left of it of the edges whose half-open span [top, bottom)
// holds cy, counted with their direction.
bool polygon_holds(const std::vector<GpPointF>& points, FillMode mode, double cx, double cy) {
  int winding = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const GpPointF a = points[i], b = points[(i + 1) % points.size()];
    const bool down = a.Y < b.Y;
    const GpPointF top = down ? a : b, bottom = down ? b : a;
    if (!(top.Y <= cy && cy < bottom.Y)) continue;
    const double crossing = top.X + (cy - top.Y) * (double(bottom.X) - top.X) / (double(bottom.Y) - top.Y);
    if (crossing <= cx) winding += down ? 1 : -1;
  }
  return mode == FillModeWinding ? winding != 0 : (winding & 1) != 0;
}

bool combine(CombineMode mode, bool clip, bool rect) {
  switch (mode) {
    case CombineModeReplace: return rect;
    case CombineModeIntersect: return clip && rect;
    case CombineModeUnion: return clip || rect;
    case CombineModeXor: return clip != rect;
    case CombineModeExclude: return clip && !rect;
    default: return rect && !clip;  // Complement
  }
}

REAL random_coordinate(std::mt19937& rng, int extent) {
  return REAL(std::uniform_real_distribution<double>(-6, extent + 6)(rng));
}

// Aliased fills take exactly the pixels whose centres they hold. One graphics
// serves every iteration, so a clip change must reach the next fill.
TEST_F(FillTest, RandomAliasedFillsTakeThePixelsWhoseCentresTheyHold) {
  make_canvas(48, 40);
  smoothing(SmoothingModeNone);
  seeded::iterations(300, [&](std::mt19937& rng, int) {
    fill_all(kWhite);
    ASSERT_EQ(GdipResetClip(graphics_), Ok);
    const bool half = rng() % 2;
    ASSERT_EQ(GdipSetPixelOffsetMode(graphics_, half ? PixelOffsetModeHalf : PixelOffsetModeNone), Ok);
    const double shift = half ? 0.5 : 0.0;  // where a pixel's centre lies in world coordinates

    // The clip: up to three rectangles, each combined by a random mode, some through a path region.
    std::vector<bool> clip(size_t(width_) * height_, true);
    for (int n = between(rng, 0, 3); n > 0; --n) {
      const CombineMode mode = CombineMode(between(rng, CombineModeReplace, CombineModeComplement));
      const int x = between(rng, -4, width_), y = between(rng, -4, height_), w = between(rng, 0, 40), h = between(rng, 0, 30);
      clip_to(x, y, w, h, mode, rng() % 3 == 0);
      for (int py = 0; py < height_; ++py)
        for (int px = 0; px < width_; ++px) {
          const size_t i = size_t(py) * width_ + px;
          clip[i] = combine(mode, clip[i], px >= x && px < x + w && py >= y && py < y + h);
        }
    }

    // The shape: a rectangle or a polygon of 3 to 7 points (often crossing itself).
    const ARGB color = 0xFF000000u | (rng() & 0xFFFFFF) | 1;
    std::vector<GpPointF> polygon;
    GpRectF rect{};
    const FillMode mode = rng() % 2 ? FillModeWinding : FillModeAlternate;
    if (rng() % 3 == 0) {
      rect = GpRectF{random_coordinate(rng, width_), random_coordinate(rng, height_), REAL(between(rng, 0, 300) / 7.0),
                     REAL(between(rng, 0, 300) / 9.0)};
      ASSERT_EQ(GdipFillRectangle(graphics_, brush(color), rect.X, rect.Y, rect.Width, rect.Height), Ok);
    } else {
      for (int n = between(rng, 3, 7); n > 0; --n)
        polygon.push_back(GpPointF{random_coordinate(rng, width_), random_coordinate(rng, height_)});
      ASSERT_EQ(GdipFillPolygon(graphics_, brush(color), polygon.data(), INT(polygon.size()), mode), Ok);
    }

    for (int py = 0; py < height_; ++py) {
      for (int px = 0; px < width_; ++px) {
        const double cx = px + shift, cy = py + shift;
        const bool covered = polygon.empty() ? cx >= rect.X && cx < double(rect.X) + rect.Width && cy >= rect.Y &&
                                                   cy < double(rect.Y) + rect.Height
                                             : polygon_holds(polygon, mode, cx, cy);
        const bool painted = covered && clip[size_t(py) * width_ + px];
        ASSERT_EQ(at(px, py), painted ? color : kWhite) << "pixel " << px << "," << py << " mode " << mode;
      }
    }
  });
}


// Anti-aliased edges that do not lie on pixel boundaries cover their pixels in part.
TEST_F(FillTest, AntiAliasedEdgesBlendByCoverage) {
  ASSERT_EQ(GdipSetPixelOffsetMode(graphics_, PixelOffsetModeNone), Ok);
  smoothing(SmoothingModeAntiAlias);
  fill_rect(kBlack, 10, 10, 20, 20);
  expect_pixels({{11, 11, kBlack}, {29, 29, kBlack}, {31, 20, kWhite}});
  EXPECT_NEAR(red(at(10, 20)), 128, 1);
  EXPECT_NEAR(red(at(30, 20)), 128, 1);
  EXPECT_NEAR(red(at(10, 10)), 191, 1);  // a quarter covered
}

TEST_F(FillTest, CompositingOverAndCopy) {
  struct Case {
    ARGB destination, fill;
    CompositingMode mode;
    ARGB expected;
  } const cases[] = {
      {kWhite, 0x0D000000, CompositingModeSourceOver, 0xFFF2F2F2},      // 242 in every channel
      {0x00FFFFFF, 0x0D000000, CompositingModeSourceOver, 0x0DF2F2F2},  // a transparent destination keeps its colour
      {0x00FFFFFF, 0x00123456, CompositingModeSourceOver, 0x00FFFFFF},  // alpha 0 changes nothing
      {kWhite, 0x40102030, CompositingModeSourceCopy, 0x40102030},
  };
  for (const Case& c : cases) {
    fill_all(c.destination);
    ASSERT_EQ(GdipSetCompositingMode(graphics_, c.mode), Ok);
    fill_rect(c.fill, 0, 0, 8, 8);
    EXPECT_EQ(at(1, 1), c.expected) << std::hex << c.fill;
    EXPECT_EQ(at(8, 8), c.destination);
  }
}

TEST_F(FillTest, TranslucentFillsDarkenStepByStep) {
  GpBrush* veil = brush(0x0D000000);
  int previous = 255;
  for (int step = 0; step < 80; ++step) {
    ASSERT_EQ(GdipFillRectangle(graphics_, veil, 0, 0, 64, 64), Ok);
    const int now = red(at(5, 5));
    EXPECT_LE(now, previous);
    EXPECT_TRUE(previous <= 10 || now < previous) << "step " << step << ": " << now;
    EXPECT_EQ(green(at(5, 5)), now);
    EXPECT_EQ(alpha(at(5, 5)), 255);
    previous = now;
  }
}

TEST_F(FillTest, EllipsesAndPiesCoverTheirArea) {
  ASSERT_EQ(GdipFillEllipse(graphics_, brush(kBlack), 2, 2, 60, 40), Ok);
  EXPECT_NEAR(count(kBlack), M_PI * 30 * 20, 30);
  fill_all(kWhite);
  // A quarter pie from 0 to 90 degrees (clockwise: the lower right quarter).
  ASSERT_EQ(GdipFillPie(graphics_, brush(kBlack), 2, 2, 60, 60, 0, 90), Ok);
  expect_pixels({{40, 40, kBlack}, {24, 40, kWhite}, {40, 24, kWhite}});
  EXPECT_NEAR(count(kBlack), M_PI * 900 / 4, 20);
  // On a 60x20 ellipse a 45 degree ray is the diagonal of the bounding box's lower right quarter:
  // (12, 2) from the centre is at 9.5 degrees, (4, 8) at 63 and (8, 6) at 37, inside the ellipse.
  fill_all(kWhite);
  ASSERT_EQ(GdipFillPie(graphics_, brush(kBlack), 2, 22, 60, 20, 0, 45), Ok);
  expect_pixels({{44, 34, kBlack}, {36, 40, kWhite}, {40, 38, kBlack}});
}

TEST_F(FillTest, WorldTransformAndPageUnit) {
  make_canvas(200, 200);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 100, 50, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 90, MatrixOrderPrepend), Ok);
  fill_rect(kBlack, 9, -1, 2, 2);  // prepended: turned, then moved; (10, 0) maps to about (100, 60)
  EXPECT_EQ(off_box(kBlack, 99, 59, 101, 61), 0);
  fill_all(kWhite);
  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 10, 100, MatrixOrderPrepend), Ok);
  ASSERT_EQ(GdipRotateWorldTransform(graphics_, 90, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 200, 0, MatrixOrderAppend), Ok);
  fill_rect(kBlack, 39, -1, 2, 2);  // appended: moved, turned, moved; (40, 0) maps to about (100, 50)
  EXPECT_EQ(off_box(kBlack, 99, 49, 101, 51), 0);
  fill_all(kWhite);
  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  ASSERT_EQ(GdipScaleWorldTransform(graphics_, 2, 3, MatrixOrderPrepend), Ok);
  fill_rect(kBlack, 1, 1, 1, 1);
  EXPECT_EQ(off_box(kBlack, 2, 3, 4, 6), 0);
  fill_all(kWhite);
  ASSERT_EQ(GdipResetWorldTransform(graphics_), Ok);
  ASSERT_EQ(GdipSetPageUnit(graphics_, UnitInch), Ok);
  ASSERT_EQ(GdipSetPageScale(graphics_, 0.25f), Ok);  // one world unit is 24 pixels
  fill_rect(kBlack, 1, 0, 1, 1);
  EXPECT_EQ(off_box(kBlack, 24, 0, 48, 24), 0);
}

// Refused transforms and polygons; huge and non-finite coordinates draw what they can and never fail.
TEST_F(FillTest, ArgumentChecks) {
  GpMatrix* flat = nullptr;
  ASSERT_EQ(GdipCreateMatrix2(1, 2, 2, 4, 0, 0, &flat), Ok);
  EXPECT_EQ(GdipSetWorldTransform(graphics_, flat), InvalidParameter);
  EXPECT_EQ(GdipScaleWorldTransform(graphics_, 0, 1, MatrixOrderPrepend), InvalidParameter);
  GdipDeleteMatrix(flat);
  fill_rect(kBlack, 0, 0, 1, 1);
  EXPECT_EQ(off_box(kBlack, 0, 0, 1, 1), 0);  // still the identity
  GpBrush* black = brush(kBlack);
  const GpPointF two[2] = {{0, 0}, {5, 5}};
  EXPECT_EQ(GdipFillPolygon(graphics_, black, two, 2, FillModeWinding), InvalidParameter);
  EXPECT_EQ(GdipFillRectangle(graphics_, black, -1e30f, -1e30f, 2e30f, 2e30f), Ok);
  EXPECT_EQ(at(63, 63), kBlack);
  const GpPointF nan_points[3] = {{NAN, 0}, {10, INFINITY}, {5, 5}};
  EXPECT_EQ(GdipFillPolygon(graphics_, black, nan_points, 3, FillModeAlternate), Ok);
}

TEST_F(FillTest, DrawsIntoTheBitmapSelectedAtDrawTime) {
  const BITMAPINFO info = gdi_test::dib_info(4, -4, 32);
  void* bits = nullptr;
  const HBITMAP other = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ own = SelectObject(dc_, other);
  fill_rect(kBlack, 0, 0, 64, 64);
  EXPECT_EQ(static_cast<uint32_t*>(bits)[15], kBlack);
  EXPECT_EQ(pixels_[0], kWhite);
  SelectObject(dc_, own);
  DeleteObject(other);
}

}  // namespace
