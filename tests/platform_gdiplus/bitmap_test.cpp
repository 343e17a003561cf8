// Bitmaps over a pixel buffer: owned and caller memory, strides, pixel
// formats (premultiplied, RGB, 24-bit) and argument checks.
// Depends on: gdiplus_test_support.h (pixels through LockBits).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::expect_all;
using gdiplus_test::get;
using gdiplus_test::pixel;
using gdiplus_test::set_pixel;

namespace {

GpImage* as_image(GpBitmap* bitmap) { return (GpImage*)bitmap; }

GpBitmap* make(INT width, INT height, INT stride, PixelFormat format, void* scan0) {
  GpBitmap* bitmap = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, stride, format, static_cast<BYTE*>(scan0), &bitmap), Ok);
  return bitmap;
}

TEST(Bitmap, OwnedMemoryStartsZeroedWithItsSizeAndFormat) {
  GpBitmap* bitmap = make(3, 2, 0, PixelFormat32bppARGB, nullptr);
  EXPECT_EQ(get(GdipGetImageWidth, as_image(bitmap)), 3u);
  EXPECT_EQ(get(GdipGetImageHeight, as_image(bitmap)), 2u);
  for (INT y = 0; y < 2; ++y)
    for (INT x = 0; x < 3; ++x) EXPECT_EQ(pixel(bitmap, x, y), 0u);
  set_pixel(bitmap, 2, 1, 0x80402010);
  EXPECT_EQ(pixel(bitmap, 2, 1), 0x80402010u);
  EXPECT_EQ(pixel(bitmap, 1, 1), 0u);
  EXPECT_EQ(GdipDisposeImage(as_image(bitmap)), Ok);
}

TEST(Bitmap, SharesTheCallersMemoryWithEitherStrideSign) {
  uint32_t memory[3][4] = {};
  GpBitmap* bitmap = make(4, 3, 16, PixelFormat32bppARGB, memory);
  set_pixel(bitmap, 1, 2, 0x80112233);
  EXPECT_EQ(memory[2][1], 0x80112233u);
  memory[0][3] = 0xFFABCDEF;
  EXPECT_EQ(pixel(bitmap, 3, 0), 0xFFABCDEFu);
  EXPECT_EQ(GdipDisposeImage(as_image(bitmap)), Ok);
  EXPECT_EQ(memory[2][1], 0x80112233u);  // the memory stays the caller's

  uint32_t bottom_up[3][2] = {};  // a negative stride walks up from the last row
  bitmap = make(2, 3, -8, PixelFormat32bppARGB, bottom_up[2]);
  set_pixel(bitmap, 0, 0, 0xFF000001);
  set_pixel(bitmap, 1, 2, 0xFF000002);
  EXPECT_EQ(bottom_up[2][0], 0xFF000001u);
  EXPECT_EQ(bottom_up[0][1], 0xFF000002u);
  GdipDisposeImage(as_image(bitmap));
}

TEST(Bitmap, PremultipliedAndRgbFormats) {
  uint32_t premultiplied[2] = {};
  GpBitmap* bitmap = make(2, 1, 8, PixelFormat32bppPARGB, premultiplied);
  set_pixel(bitmap, 0, 0, 0x80FF8000);
  EXPECT_EQ(premultiplied[0], 0x80804000u);
  EXPECT_EQ(pixel(bitmap, 0, 0), 0x80FF8000u);
  set_pixel(bitmap, 1, 0, 0x00FFFFFF);
  EXPECT_EQ(premultiplied[1], 0u);
  EXPECT_EQ(pixel(bitmap, 1, 0), 0u);
  premultiplied[1] = 0xFF336699;  // opaque pixels read back unchanged
  EXPECT_EQ(pixel(bitmap, 1, 0), 0xFF336699u);
  GdipDisposeImage(as_image(bitmap));

  uint32_t words[1] = {0x00445566};  // RGB formats read opaque
  bitmap = make(1, 1, 4, PixelFormat32bppRGB, words);
  EXPECT_EQ(pixel(bitmap, 0, 0), 0xFF445566u);
  set_pixel(bitmap, 0, 0, 0x12345678);
  EXPECT_EQ(pixel(bitmap, 0, 0), 0xFF345678u);
  GdipDisposeImage(as_image(bitmap));
  bitmap = make(3, 2, 0, PixelFormat24bppRGB, nullptr);
  set_pixel(bitmap, 2, 1, 0x12345678);
  EXPECT_EQ(pixel(bitmap, 2, 1), 0xFF345678u);
  EXPECT_EQ(pixel(bitmap, 1, 1), 0xFF000000u);
  GdipDisposeImage(as_image(bitmap));

  std::vector<BYTE> memory(24, 0);  // 24-bit rows over caller memory: 3 pixels of 3 bytes padded to 12
  bitmap = make(3, 2, 12, PixelFormat24bppRGB, memory.data());
  set_pixel(bitmap, 2, 1, 0xFFA0B0C0);
  EXPECT_EQ(std::vector<BYTE>(memory.begin() + 18, memory.begin() + 21), (std::vector<BYTE>{0xC0, 0xB0, 0xA0}));
  GdipDisposeImage(as_image(bitmap));
}

TEST(Bitmap, RejectsBadArguments) {
  uint32_t memory[4] = {};
  BYTE* scan0 = reinterpret_cast<BYTE*>(memory);
  GpBitmap* bitmap = nullptr;
  expect_all({GdipCreateBitmapFromScan0(0, 1, 4, PixelFormat32bppARGB, nullptr, &bitmap),
              GdipCreateBitmapFromScan0(1, -1, 4, PixelFormat32bppARGB, nullptr, &bitmap),
              GdipCreateBitmapFromScan0(1, 1, 4, 0x00030803 /* 8bpp indexed */, nullptr, &bitmap),
              GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppARGB, nullptr, nullptr),
              GdipCreateBitmapFromScan0(2, 2, 6, PixelFormat32bppARGB, scan0, &bitmap),
              GdipCreateBitmapFromScan0(2, 2, 4, PixelFormat32bppARGB, scan0, &bitmap),
              GdipCreateBitmapFromScan0(2, 2, 0, PixelFormat32bppARGB, scan0, &bitmap)});
  EXPECT_EQ(GdipCreateBitmapFromScan0(65536, 65536, 0, PixelFormat32bppARGB, nullptr, &bitmap), OutOfMemory);
  EXPECT_EQ(bitmap, nullptr);
}

}  // namespace
