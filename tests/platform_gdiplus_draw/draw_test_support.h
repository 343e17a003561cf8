// Shared helpers of the GDI+ drawing tests: a graphics over a memory DC with
// a top-down 32-bit DIB section, pixel access, and objects released at the end.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gdiplus.h"

namespace draw_test {

using namespace Gdiplus;

constexpr ARGB kWhite = 0xFFFFFFFF;
constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kRed = 0xFFFF0000;
constexpr ARGB kBlue = 0xFF0000FF;

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override { make_canvas(64, 64); }
  void TearDown() override { release(); }

  // A fresh `width` x `height` surface filled with `fill`, and a graphics over it.
  void make_canvas(int width, int height, ARGB fill = kWhite) {
    release();
    width_ = width;
    height_ = height;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap_, nullptr);
    pixels_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    ASSERT_EQ(GdipCreateFromHDC(dc_, &graphics_), Ok);
    fill_all(fill);
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

  void smoothing(SmoothingMode mode) { ASSERT_EQ(GdipSetSmoothingMode(graphics_, mode), Ok); }
  void half_pixel() { ASSERT_EQ(GdipSetPixelOffsetMode(graphics_, PixelOffsetModeHalf), Ok); }

  GpSolidFill* solid(ARGB color) {
    GpSolidFill* brush = nullptr;
    EXPECT_EQ(GdipCreateSolidFill(color, &brush), Ok);
    brushes_.push_back(reinterpret_cast<GpBrush*>(brush));
    return brush;
  }
  GpBrush* keep(GpBrush* brush) {
    brushes_.push_back(brush);
    return brush;
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
    if (dc_) {
      SelectObject(dc_, old_);
      DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    graphics_ = nullptr, dc_ = nullptr, bitmap_ = nullptr;
  }

  int width_ = 0, height_ = 0;
  uint32_t* pixels_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
  GpGraphics* graphics_ = nullptr;
  std::vector<GpBrush*> brushes_;
  std::vector<GpPen*> pens_;
  std::vector<GpPath*> paths_;
};

inline int channel(uint32_t pixel, int shift) { return int((pixel >> shift) & 0xFF); }
inline int red(uint32_t p) { return channel(p, 16); }
inline int green(uint32_t p) { return channel(p, 8); }
inline int blue(uint32_t p) { return channel(p, 0); }
inline int alpha(uint32_t p) { return channel(p, 24); }

}  // namespace draw_test
