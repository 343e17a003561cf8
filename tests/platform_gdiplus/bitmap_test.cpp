// Bitmaps over a pixel buffer: seeded random pixels through LockBits in each
// 32- and 24-bit format, over owned or caller memory with padded rows of
// either stride sign, against the formats' layouts written out; and argument
// checks. Depends on: gdiplus_test_support.h, tests/support/seeded.h.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gdiplus_test_support.h"
#include "support/seeded.h"

using namespace Gdiplus;
using gdiplus_test::expect_all;
using gdiplus_test::get;
using gdiplus_test::pixel;
using gdiplus_test::set_pixel;
using seeded::between;

namespace {

GpImage* as_image(GpBitmap* bitmap) { return (GpImage*)bitmap; }

// Each colour channel of `c` times `times` / `over`, rounded half up, at most 255.
ARGB scaled(ARGB c, UINT times, UINT over) {
  ARGB out = c & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    out |= std::min<UINT>(255, ((c >> shift & 0xFF) * times + over / 2) / over) << shift;
  }
  return out;
}

// A pixel written through LockBits lands in memory as its format stores it
// (premultiplied rounded; 24-bit as blue, green, red) and nowhere else, and
// reads back as straight ARGB (premultiplied colours divided back, RGB
// formats opaque); a word the caller writes reads the same way and stays
// the caller's. Owned memory starts zeroed.
TEST(Bitmap, RandomPixelsLandInMemoryAndReadBackAsTheirFormatSays) {
  const PixelFormat formats[] = {PixelFormat32bppARGB, PixelFormat32bppPARGB, PixelFormat32bppRGB, PixelFormat24bppRGB};
  seeded::iterations(200, [&](std::mt19937& rng, int) {
    const PixelFormat format = formats[rng() % 4];
    const bool premultiplied = format == PixelFormat32bppPARGB, rgb = format == PixelFormat32bppRGB;
    const size_t bytes = format == PixelFormat24bppRGB ? 3 : 4, compared = rgb ? 3 : bytes;
    const INT w = between(rng, 1, 9), h = between(rng, 1, 5);
    const INT stride = (w * INT(bytes) + 3) / 4 * 4 + 4 * between(rng, 0, 2);  // padded rows
    const bool owned = rng() % 4 == 0, bottom_up = !owned && rng() % 2;
    std::vector<BYTE> memory(size_t(stride) * h, 0);
    BYTE* scan0 = owned ? nullptr : bottom_up ? &memory[size_t(stride) * (h - 1)] : memory.data();
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(w, h, owned ? 0 : bottom_up ? -stride : stride, format, scan0, &bitmap), Ok);
    EXPECT_EQ(get(GdipGetImageWidth, as_image(bitmap)), UINT(w));
    EXPECT_EQ(get(GdipGetImageHeight, as_image(bitmap)), UINT(h));
    const ARGB opaque = bytes == 3 || rgb ? 0xFF000000u : 0;
    const auto read_as = [&](ARGB stored) {
      if (!premultiplied) return stored | opaque;
      return stored >> 24 ? scaled(stored, 255, stored >> 24) : 0;
    };
    const INT x = between(rng, 0, w - 1), y = between(rng, 0, h - 1);
    EXPECT_EQ(pixel(bitmap, x, y), opaque) << "a fresh pixel";
    const ARGB c = seeded::biased_word(rng), stored = premultiplied ? scaled(c, c >> 24, 255) : c;
    set_pixel(bitmap, x, y, c);
    EXPECT_EQ(pixel(bitmap, x, y), read_as(stored & (compared == 3 ? 0xFFFFFFu : ~0u)));
    if (owned) {
      EXPECT_EQ(GdipDisposeImage(as_image(bitmap)), Ok);
      return;
    }
    BYTE* at = &memory[size_t(bottom_up ? h - 1 - y : y) * stride + size_t(x) * bytes];
    EXPECT_EQ(std::memcmp(at, &stored, compared), 0);
    std::fill(at, at + bytes, 0);
    EXPECT_EQ(std::count(memory.begin(), memory.end(), 0), std::ptrdiff_t(memory.size())) << "written elsewhere";
    const ARGB mine = seeded::biased_word(rng);
    std::memcpy(at, &mine, bytes);
    EXPECT_EQ(pixel(bitmap, x, y), read_as(bytes == 3 ? mine & 0xFFFFFFu : mine));
    EXPECT_EQ(GdipDisposeImage(as_image(bitmap)), Ok);
    EXPECT_EQ(std::memcmp(at, &mine, bytes), 0) << "the memory stays the caller's";
  });
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
