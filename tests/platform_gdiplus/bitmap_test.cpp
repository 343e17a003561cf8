#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdiplus.h"

using namespace Gdiplus;

namespace {

GpImage* as_image(GpBitmap* bitmap) { return (GpImage*)bitmap; }

ARGB pixel(GpBitmap* bitmap, INT x, INT y) {
  ARGB color = 0x12345678;
  EXPECT_EQ(GdipBitmapGetPixel(bitmap, x, y, &color), Ok);
  return color;
}

TEST(Bitmap, OwnedMemoryStartsZeroedWithItsSizeAndFormat) {
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 0, PixelFormat32bppARGB, nullptr, &bitmap), Ok);
  UINT width = 0, height = 0;
  PixelFormat format = 0;
  EXPECT_EQ(GdipGetImageWidth(as_image(bitmap), &width), Ok);
  EXPECT_EQ(GdipGetImageHeight(as_image(bitmap), &height), Ok);
  EXPECT_EQ(GdipGetImagePixelFormat(as_image(bitmap), &format), Ok);
  EXPECT_EQ(width, 3u);
  EXPECT_EQ(height, 2u);
  EXPECT_EQ(format, PixelFormat32bppARGB);
  for (INT y = 0; y < 2; ++y)
    for (INT x = 0; x < 3; ++x) EXPECT_EQ(pixel(bitmap, x, y), 0u);
  ASSERT_EQ(GdipBitmapSetPixel(bitmap, 2, 1, 0x80402010), Ok);
  EXPECT_EQ(pixel(bitmap, 2, 1), 0x80402010u);
  EXPECT_EQ(pixel(bitmap, 1, 1), 0u);
  EXPECT_EQ(GdipDisposeImage(as_image(bitmap)), Ok);
}

TEST(Bitmap, SharesTheCallersMemory) {
  uint32_t memory[3][4] = {};
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(4, 3, 16, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(memory), &bitmap), Ok);
  ASSERT_EQ(GdipBitmapSetPixel(bitmap, 1, 2, 0x80112233), Ok);
  EXPECT_EQ(memory[2][1], 0x80112233u);
  memory[0][3] = 0xFFABCDEF;
  EXPECT_EQ(pixel(bitmap, 3, 0), 0xFFABCDEFu);
  EXPECT_EQ(GdipDisposeImage(as_image(bitmap)), Ok);
  EXPECT_EQ(memory[2][1], 0x80112233u);  // the memory stays the caller's
}

TEST(Bitmap, NegativeStrideWalksBottomUpMemory) {
  uint32_t memory[3][2] = {};
  GpBitmap* bitmap = nullptr;
  BYTE* last_row = reinterpret_cast<BYTE*>(memory[2]);
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 3, -8, PixelFormat32bppARGB, last_row, &bitmap), Ok);
  ASSERT_EQ(GdipBitmapSetPixel(bitmap, 0, 0, 0xFF000001), Ok);
  ASSERT_EQ(GdipBitmapSetPixel(bitmap, 1, 2, 0xFF000002), Ok);
  EXPECT_EQ(memory[2][0], 0xFF000001u);
  EXPECT_EQ(memory[0][1], 0xFF000002u);
  GdipDisposeImage(as_image(bitmap));
}

TEST(Bitmap, PremultipliedPixelsAreStoredPremultiplied) {
  uint32_t memory[1][2] = {};
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 1, 8, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(memory), &bitmap), Ok);
  ASSERT_EQ(GdipBitmapSetPixel(bitmap, 0, 0, 0x80FF8000), Ok);
  EXPECT_EQ(memory[0][0], 0x80804000u);
  EXPECT_EQ(pixel(bitmap, 0, 0), 0x80FF8000u);
  ASSERT_EQ(GdipBitmapSetPixel(bitmap, 1, 0, 0x00FFFFFF), Ok);
  EXPECT_EQ(memory[0][1], 0u);
  EXPECT_EQ(pixel(bitmap, 1, 0), 0u);
  memory[0][1] = 0xFF336699;  // opaque pixels read back unchanged
  EXPECT_EQ(pixel(bitmap, 1, 0), 0xFF336699u);
  GdipDisposeImage(as_image(bitmap));
}

TEST(Bitmap, RgbFormatsReadOpaque) {
  uint32_t words[1] = {0x00445566};
  GpBitmap* rgb32 = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(words), &rgb32), Ok);
  EXPECT_EQ(pixel(rgb32, 0, 0), 0xFF445566u);
  ASSERT_EQ(GdipBitmapSetPixel(rgb32, 0, 0, 0x12345678), Ok);
  EXPECT_EQ(pixel(rgb32, 0, 0), 0xFF345678u);
  GdipDisposeImage(as_image(rgb32));

  GpBitmap* rgb24 = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 0, PixelFormat24bppRGB, nullptr, &rgb24), Ok);
  ASSERT_EQ(GdipBitmapSetPixel(rgb24, 2, 1, 0x12345678), Ok);
  EXPECT_EQ(pixel(rgb24, 2, 1), 0xFF345678u);
  EXPECT_EQ(pixel(rgb24, 1, 1), 0xFF000000u);
  GdipDisposeImage(as_image(rgb24));

  // 24-bit rows over caller memory: 3 pixels of 3 bytes padded to 12.
  std::vector<BYTE> memory(24, 0);
  ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 12, PixelFormat24bppRGB, memory.data(), &rgb24), Ok);
  ASSERT_EQ(GdipBitmapSetPixel(rgb24, 2, 1, 0xFFA0B0C0), Ok);
  EXPECT_EQ(memory[12 + 6], 0xC0);
  EXPECT_EQ(memory[12 + 7], 0xB0);
  EXPECT_EQ(memory[12 + 8], 0xA0);
  GdipDisposeImage(as_image(rgb24));
}

TEST(Bitmap, RejectsBadArguments) {
  uint32_t memory[4] = {};
  BYTE* scan0 = reinterpret_cast<BYTE*>(memory);
  GpBitmap* bitmap = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromScan0(0, 1, 4, PixelFormat32bppARGB, nullptr, &bitmap), InvalidParameter);
  EXPECT_EQ(GdipCreateBitmapFromScan0(1, -1, 4, PixelFormat32bppARGB, nullptr, &bitmap), InvalidParameter);
  EXPECT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, 0x00030803 /* 8bpp indexed */, nullptr, &bitmap), InvalidParameter);
  EXPECT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppARGB, nullptr, nullptr), InvalidParameter);
  EXPECT_EQ(GdipCreateBitmapFromScan0(2, 2, 6, PixelFormat32bppARGB, scan0, &bitmap), InvalidParameter);
  EXPECT_EQ(GdipCreateBitmapFromScan0(2, 2, 4, PixelFormat32bppARGB, scan0, &bitmap), InvalidParameter);
  EXPECT_EQ(GdipCreateBitmapFromScan0(2, 2, 0, PixelFormat32bppARGB, scan0, &bitmap), InvalidParameter);
  EXPECT_EQ(GdipCreateBitmapFromScan0(65536, 65536, 0, PixelFormat32bppARGB, nullptr, &bitmap), OutOfMemory);
  EXPECT_EQ(bitmap, nullptr);

  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppARGB, scan0, &bitmap), Ok);
  ARGB color = 0;
  UINT size = 0;
  EXPECT_EQ(GdipBitmapGetPixel(bitmap, 2, 0, &color), InvalidParameter);
  EXPECT_EQ(GdipBitmapGetPixel(bitmap, 0, -1, &color), InvalidParameter);
  EXPECT_EQ(GdipBitmapGetPixel(bitmap, 0, 0, nullptr), InvalidParameter);
  EXPECT_EQ(GdipBitmapSetPixel(bitmap, 0, 2, 0), InvalidParameter);
  EXPECT_EQ(GdipBitmapSetPixel(nullptr, 0, 0, 0), InvalidParameter);
  EXPECT_EQ(GdipGetImageWidth(nullptr, &size), InvalidParameter);
  EXPECT_EQ(GdipGetImageHeight(as_image(bitmap), nullptr), InvalidParameter);
  EXPECT_EQ(GdipDisposeImage(nullptr), InvalidParameter);
  EXPECT_EQ(GdipDisposeImage(as_image(bitmap)), Ok);
}

}  // namespace
