// Writes gdiplus_gallery.png into the build folder: every outline, fill,
// pattern and image mode, aliased on the left half and anti-aliased on the
// right, for a person to look at. The test checks only that both halves drew.
#include <png.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "draw_test_support.h"

using namespace draw_test;

namespace {

constexpr int kHalf = 420;

class GalleryTest : public DrawTest {
 protected:
  void outlines() {
    GpPen* thin = pen(0xFF202020, 1);
    GpPen* thick = pen(0xFF1060C0, 5);
    const GpPointF zigzag[5] = {{10, 60}, {30, 20}, {50, 60}, {70, 20}, {90, 60}};
    ASSERT_EQ(GdipDrawLine(graphics_, thin, 10, 10, 90, 15), Ok);
    ASSERT_EQ(GdipDrawLines(graphics_, thick, zigzag, 5), Ok);
    const GpPointF hexagon[6] = {{120, 10}, {150, 10}, {165, 35}, {150, 60}, {120, 60}, {105, 35}};
    ASSERT_EQ(GdipDrawPolygon(graphics_, thick, hexagon, 6), Ok);
    const GpPointF wave[5] = {{180, 60}, {200, 15}, {220, 55}, {240, 15}, {260, 60}};
    ASSERT_EQ(GdipDrawCurve(graphics_, thin, wave, 5), Ok);
    ASSERT_EQ(GdipDrawClosedCurve(graphics_, thick, hexagon + 0, 4), Ok);
    const GpPointF bezier[7] = {{280, 60}, {280, 0}, {340, 0}, {340, 40}, {340, 80}, {400, 80}, {400, 20}};
    ASSERT_EQ(GdipDrawBeziers(graphics_, thick, bezier, 7), Ok);
    ASSERT_EQ(GdipDrawRectangle(graphics_, thin, 10.5f, 75.5f, 60, 40), Ok);
    ASSERT_EQ(GdipDrawEllipse(graphics_, thick, 85, 75, 70, 40), Ok);
    ASSERT_EQ(GdipDrawArc(graphics_, thick, 165, 75, 70, 40, 200, 250), Ok);
    ASSERT_EQ(GdipDrawPie(graphics_, thin, 245, 75, 70, 40, -30, 120), Ok);
    // Dash styles, caps and joins.
    for (int style = 1; style <= 4; ++style) {
      GpPen* dashed = pen(0xFF000000, 3);
      ASSERT_EQ(GdipSetPenDashStyle(dashed, DashStyle(style)), Ok);
      ASSERT_EQ(GdipDrawLine(graphics_, dashed, 330, REAL(75 + 10 * style), 410, REAL(75 + 10 * style)), Ok);
    }
    const LineCap caps[4] = {LineCapFlat, LineCapSquare, LineCapRound, LineCapTriangle};
    const LineJoin joins[4] = {LineJoinMiter, LineJoinBevel, LineJoinRound, LineJoinMiterClipped};
    for (int i = 0; i < 4; ++i) {
      GpPen* capped = pen(0xC0A02020, 9);
      ASSERT_EQ(GdipSetPenStartCap(capped, caps[i]), Ok);
      ASSERT_EQ(GdipSetPenEndCap(capped, caps[i]), Ok);
      ASSERT_EQ(GdipSetPenLineJoin(capped, joins[i]), Ok);
      const REAL x = REAL(20 + 100 * i);
      const GpPointF vee[3] = {{x, 130}, {x + 30, 160}, {x + 60, 135}};
      ASSERT_EQ(GdipDrawLines(graphics_, capped, vee, 3), Ok);
    }
  }

  void fills() {
    const GpPointF star[5] = {{50, 175}, {75, 250}, {10, 205}, {90, 205}, {25, 250}};
    ASSERT_EQ(GdipFillPolygon(graphics_, brush(0xFF2E7D32), star, 5, FillModeAlternate), Ok);
    GpPointF star2[5];
    for (int i = 0; i < 5; ++i) star2[i] = GpPointF{star[i].X + 90, star[i].Y};
    ASSERT_EQ(GdipFillPolygon(graphics_, brush(0xFF2E7D32), star2, 5, FillModeWinding), Ok);
    ASSERT_EQ(GdipFillEllipse(graphics_, brush(0xFFC62828), 190, 180, 70, 60), Ok);
    ASSERT_EQ(GdipFillPie(graphics_, brush(0xFF6A1B9A), 270, 180, 70, 60, 30, 280), Ok);
    const GpPointF blob[4] = {{350, 185}, {410, 195}, {400, 245}, {355, 235}};
    ASSERT_EQ(GdipFillClosedCurve(graphics_, brush(0xFFEF6C00), blob, 4), Ok);
    GpMatrix* saved = nullptr;
    GdipCreateMatrix(&saved);
    GdipGetWorldTransform(graphics_, saved);
    ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 40, 300, MatrixOrderPrepend), Ok);
    ASSERT_EQ(GdipRotateWorldTransform(graphics_, 30, MatrixOrderPrepend), Ok);
    ASSERT_EQ(GdipFillRectangle(graphics_, brush(0x800000FF), -25, -15, 50, 30), Ok);
    GdipSetWorldTransform(graphics_, saved);
    GdipDeleteMatrix(saved);
  }

  void patterns() {
    GpLineGradient* linear = nullptr;
    const GpPointF a{90, 0}, b{150, 0};
    ASSERT_EQ(GdipCreateLineBrush(&a, &b, kRed, kBlue, WrapModeTile, &linear), Ok);
    ASSERT_EQ(GdipFillRectangle(graphics_, keep(reinterpret_cast<GpBrush*>(linear)), 90, 270, 80, 60), Ok);
    const GpPointF tri[3] = {{220, 270}, {260, 330}, {180, 330}};
    GpPathGradient* path_gradient = nullptr;
    ASSERT_EQ(GdipCreatePathGradient(tri, 3, WrapModeClamp, &path_gradient), Ok);
    keep(reinterpret_cast<GpBrush*>(path_gradient));
    const ARGB corners[3] = {kRed, 0xFF00C000, kBlue};
    INT count = 3;
    ASSERT_EQ(GdipSetPathGradientSurroundColorsWithCount(path_gradient, corners, &count), Ok);
    ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(path_gradient), 175, 265, 90, 70), Ok);
    GpPath* ellipse = path();
    ASSERT_EQ(GdipAddPathEllipse(ellipse, 275, 270, 70, 60), Ok);
    GpPathGradient* elliptical = nullptr;
    ASSERT_EQ(GdipCreatePathGradientFromPath(ellipse, &elliptical), Ok);
    keep(reinterpret_cast<GpBrush*>(elliptical));
    GdipSetPathGradientCenterColor(elliptical, 0xFFFFF176);
    GpPointF centre{295, 290};
    GdipSetPathGradientCenterPoint(elliptical, &centre);
    const ARGB rim = 0xFF1A237E;
    count = 1;
    GdipSetPathGradientSurroundColorsWithCount(elliptical, &rim, &count);
    ASSERT_EQ(GdipFillPath(graphics_, reinterpret_cast<GpBrush*>(elliptical), ellipse), Ok);
    // A texture of 4x4 squares, and the hatches.
    static uint32_t checker[64];
    for (int i = 0; i < 64; ++i) checker[i] = ((i % 8) / 4 + (i / 32)) % 2 ? 0xFFFFC107 : 0xFF3E2723;
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(8, 8, 32, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(checker), &bitmap), Ok);
    GpTexture* texture = nullptr;
    ASSERT_EQ(GdipCreateTexture(reinterpret_cast<GpImage*>(bitmap), WrapModeTile, &texture), Ok);
    keep(reinterpret_cast<GpBrush*>(texture));
    ASSERT_EQ(GdipFillEllipse(graphics_, reinterpret_cast<GpBrush*>(texture), 350, 270, 60, 60), Ok);
    for (int style = 0; style <= 5; ++style) {
      GpHatch* hatch = nullptr;
      ASSERT_EQ(GdipCreateHatchBrush(HatchStyle(style), kBlack, 0xFFE0E0E0, &hatch), Ok);
      keep(reinterpret_cast<GpBrush*>(hatch));
      ASSERT_EQ(GdipFillRectangle(graphics_, reinterpret_cast<GpBrush*>(hatch), REAL(10 + 68 * style), 345, 60, 30), Ok);
    }
    // The image itself: nearest, bilinear and bicubic at 6x, and turned.
    const InterpolationMode modes[3] = {InterpolationModeNearestNeighbor, InterpolationModeBilinear,
                                        InterpolationModeHighQualityBicubic};
    for (int i = 0; i < 3; ++i) {
      ASSERT_EQ(GdipSetInterpolationMode(graphics_, modes[i]), Ok);
      ASSERT_EQ(GdipDrawImageRect(graphics_, reinterpret_cast<GpImage*>(bitmap), REAL(10 + 80 * i), 385, 48, 48), Ok);
    }
    const GpPointF turned[3] = {{330, 385}, {370, 415}, {300, 425}};
    ASSERT_EQ(GdipDrawImagePointsRect(graphics_, reinterpret_cast<GpImage*>(bitmap), turned, 3, 0, 0, 8, 8, UnitPixel,
                                      nullptr, nullptr, nullptr),
              Ok);
    GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
  }

  void scene() {
    outlines();
    fills();
    patterns();
  }
};

bool write_png(const std::string& file, const uint32_t* pixels, int width, int height) {
  FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  bool written = false;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, out);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);  // the words are B, G, R, A in memory: the fourth byte is dropped
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < height; ++y) png_write_row(png, reinterpret_cast<png_const_bytep>(pixels + size_t(y) * width));
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(out) == 0 && written;
}

TEST_F(GalleryTest, WritesTheGallery) {
  make_canvas(2 * kHalf, 440);
  smoothing(SmoothingModeNone);
  scene();
  const std::vector<uint32_t> aliased = snapshot();
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, kHalf, 0, MatrixOrderAppend), Ok);
  smoothing(SmoothingModeAntiAlias);
  ASSERT_EQ(GdipSetInterpolationMode(graphics_, InterpolationModeBilinear), Ok);
  scene();
  // Only the left half takes in-between shades from the images and gradients; the right one also from edges.
  const int left_drawn = count_where([](int x, int, uint32_t p) { return x < kHalf && p != kWhite; });
  const int right_drawn = count_where([](int x, int, uint32_t p) { return x >= kHalf && p != kWhite; });
  EXPECT_GT(left_drawn, 40000);
  EXPECT_NEAR(right_drawn, left_drawn, left_drawn / 10);
  EXPECT_TRUE(write_png(std::string(GALLERY_DIR) + "/gdiplus_gallery.png", pixels_, width_, height_));
}

}  // namespace
