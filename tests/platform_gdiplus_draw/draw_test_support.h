// Shared helpers of the GDI+ drawing tests: a graphics over a memory DC with
// a top-down 32-bit DIB section (pixel offset half), pixel access, probes and
// counts, rectangular clips (plain or through a path), and brushes, pens and
// paths released at the end.
// Depends on: the GDI+ public header, gdi_test_util.h (the DIB), GoogleTest.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/gdiplus.h"
#include "platform_gdi/gdi_test_util.h"

namespace draw_test {

using namespace Gdiplus;

constexpr ARGB kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

inline int red(uint32_t p) { return int((p >> 16) & 0xFF); }
inline int green(uint32_t p) { return int((p >> 8) & 0xFF); }
inline int blue(uint32_t p) { return int(p & 0xFF); }
inline int alpha(uint32_t p) { return int(p >> 24); }

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override { make_canvas(64, 64); }
  void TearDown() override { release(); }

  // A fresh `width` x `height` white surface, and a graphics over it with pixel offset half.
  void make_canvas(int width, int height) {
    release();
    width_ = width, height_ = height;
    dib_ = std::make_unique<gdi_test::TestDib>(width, height);
    pixels_ = reinterpret_cast<uint32_t*>(dib_->bits);
    dc_ = dib_->dc;
    ASSERT_EQ(GdipCreateFromHDC(dc_, &graphics_), Ok);
    ASSERT_EQ(GdipSetPixelOffsetMode(graphics_, PixelOffsetModeHalf), Ok);
    fill_all(kWhite);
  }

  void fill_all(ARGB color) { std::fill(pixels_, pixels_ + size_t(width_) * height_, color); }
  uint32_t& at(int x, int y) { return pixels_[size_t(y) * width_ + x]; }
  std::vector<uint32_t> snapshot() const { return std::vector<uint32_t>(pixels_, pixels_ + size_t(width_) * height_); }

  // The number of pixels for which `test(x, y, pixel)` holds.
  int count_where(const std::function<bool(int, int, uint32_t)>& test) {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += test(x, y, at(x, y)) ? 1 : 0;
    return n;
  }
  int count(ARGB color) {
    return count_where([color](int, int, uint32_t p) { return p == color; });
  }
  // Pixels that are `color` outside [x0, x1) x [y0, y1) or not `color` inside it.
  int off_box(ARGB color, int x0, int y0, int x1, int y1) {
    return count_where([=](int x, int y, uint32_t p) { return (p == color) != (x >= x0 && x < x1 && y >= y0 && y < y1); });
  }

  // Each probe's pixel holds the probe's colour.
  struct Probe {
    int x, y;
    ARGB expected;
  };
  void expect_pixels(std::initializer_list<Probe> probes) {
    for (const Probe& p : probes) EXPECT_EQ(at(p.x, p.y), p.expected) << "pixel " << p.x << "," << p.y;
  }

  void smoothing(SmoothingMode mode) { ASSERT_EQ(GdipSetSmoothingMode(graphics_, mode), Ok); }

  GpBrush* brush(ARGB color) {
    GpSolidFill* made = nullptr;
    EXPECT_EQ(GdipCreateSolidFill(color, &made), Ok);
    return keep(reinterpret_cast<GpBrush*>(made));
  }
  GpBrush* keep(GpBrush* brush) {
    brushes_.push_back(brush);
    return brush;
  }
  void fill_rect(ARGB color, REAL x, REAL y, REAL w, REAL h) {
    ASSERT_EQ(GdipFillRectangle(graphics_, brush(color), x, y, w, h), Ok);
  }
  // Combines the clip with a rectangle, given as such or (`as_path`) as a path's region.
  void clip_to(int x, int y, int w, int h, CombineMode mode, bool as_path) {
    if (!as_path) {
      ASSERT_EQ(GdipSetClipRectI(graphics_, x, y, w, h, mode), Ok);
      return;
    }
    GpRegion* region = nullptr;
    ASSERT_EQ(GdipAddPathRectangle(path(), REAL(x), REAL(y), REAL(w), REAL(h)), Ok);
    ASSERT_EQ(GdipCreateRegionPath(paths_.back(), &region), Ok);
    ASSERT_EQ(GdipSetClipRegion(graphics_, region, mode), Ok);
    GdipDeleteRegion(region);
  }
  GpPen* pen(ARGB color, REAL width) {
    GpPen* made = nullptr;
    EXPECT_EQ(GdipCreatePen1(color, width, UnitWorld, &made), Ok);
    pens_.push_back(made);
    return made;
  }
  GpPath* path(FillMode mode = FillModeAlternate) {
    GpPath* made = nullptr;
    EXPECT_EQ(GdipCreatePath(mode, &made), Ok);
    paths_.push_back(made);
    return made;
  }

  void release() {
    for (GpBrush* b : brushes_) GdipDeleteBrush(b);
    for (GpPen* p : pens_) GdipDeletePen(p);
    for (GpPath* p : paths_) GdipDeletePath(p);
    brushes_.clear(), pens_.clear(), paths_.clear();
    if (graphics_) GdipDeleteGraphics(graphics_);
    graphics_ = nullptr, dc_ = nullptr;
    dib_.reset();
  }

  int width_ = 0, height_ = 0;
  std::unique_ptr<gdi_test::TestDib> dib_;
  uint32_t* pixels_ = nullptr;
  HDC dc_ = nullptr;
  GpGraphics* graphics_ = nullptr;
  std::vector<GpBrush*> brushes_;
  std::vector<GpPen*> pens_;
  std::vector<GpPath*> paths_;
};

}  // namespace draw_test
