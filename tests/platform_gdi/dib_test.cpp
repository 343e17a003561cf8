// DIB sections and GetDIBits: zero fill and the records GetObject gives,
// creation limits, and copies into caller buffers fenced by guard pages.
// Depends on: gdi_test_util.h.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <climits>

#include "gdi_test_util.h"

using gdi_test::dib_info;
using gdi_test::TestDib;

namespace {

// `bytes` of memory ending exactly at an inaccessible page, with another
// inaccessible page before it: one byte too far either way faults.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(size_t bytes) : bytes_(bytes) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t body = (bytes + page - 1) / page * page;
    total_ = body + 2 * page;
    base_ = static_cast<uint8_t*>(mmap(nullptr, total_, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    mprotect(base_ + page, body, PROT_READ | PROT_WRITE);
    data_ = base_ + page + body - bytes;
  }
  ~GuardedBuffer() { munmap(base_, total_); }
  uint8_t* data() { return data_; }

 private:
  size_t bytes_, total_;
  uint8_t* base_;
  uint8_t* data_;
};

// The row layouts themselves are pinned by the random blits, which read
// bitmaps through TestDib's own layout.
TEST(DibSection, StartsZeroedAndDescribesItself) {
  TestDib top(3, 2), rgb(3, 2, 24, false);
  for (uint32_t w : top.pixels()) EXPECT_EQ(w, 0u);
  for (uint32_t w : rgb.pixels()) EXPECT_EQ(w, 0u);

  DIBSECTION ds{};
  ASSERT_EQ(GetObjectW(rgb.bitmap, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);
  EXPECT_EQ(ds.dsBm.bmHeight, 2);
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 24);
  EXPECT_EQ(ds.dsBm.bmBits, rgb.bits);
  EXPECT_EQ(ds.dsBmih.biHeight, 2);
  EXPECT_EQ(ds.dsBmih.biSizeImage, 24u);
  BITMAP bm{};
  EXPECT_EQ(GetObjectW(top.bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmHeight, 2);
  EXPECT_EQ(GetObjectW(top.bitmap, 0, nullptr), static_cast<int>(sizeof(DIBSECTION)));
}

TEST(DibSection, CreationLimits) {
  void* bits = reinterpret_cast<void*>(1);
  const struct { LONG w, h; WORD bpp; } bad[] = {
      {0, 10, 32}, {10, 0, 32}, {-4, 4, 32}, {4, 4, 16}, {4, 4, 8}, {65536, 65536, 32}, {INT_MAX, INT_MAX, 32},
      {INT_MAX, 1, 32}, {1, INT_MIN, 32}, {23171, -23171, 32}};
  for (const auto& c : bad) {
    const BITMAPINFO info = dib_info(c.w, c.h, c.bpp);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << c.w << "x" << c.h;
    EXPECT_EQ(bits, nullptr);
  }
  BITMAPINFO info = dib_info(4, 4, 32);
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, reinterpret_cast<HANDLE>(1), 0), nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, &info, 7, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  info.bmiHeader.biCompression = BI_BITFIELDS;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  info = dib_info(1, -1, 24);
  const HBITMAP ok = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  EXPECT_NE(ok, nullptr);
  EXPECT_NE(bits, nullptr);
  EXPECT_TRUE(DeleteObject(ok));
}

TEST(GetDIBits, CopiesRowsInTheRequestedLayout) {
  TestDib dib(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) dib.set(x, y, 0xFF000000u | static_cast<uint32_t>(y << 16 | x << 8 | 0x40));

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  ASSERT_NE(GetDIBits(dib.dc, dib.bitmap, 0, 3, nullptr, &info, DIB_RGB_COLORS), 0);
  EXPECT_EQ(info.bmiHeader.biWidth, 5);
  EXPECT_EQ(info.bmiHeader.biBitCount, 32);

  info = dib_info(5, 3, 24);  // bottom-up, 16-byte rows
  ASSERT_NE(GetDIBits(dib.dc, dib.bitmap, 0, 3, nullptr, &info, DIB_RGB_COLORS), 0);
  EXPECT_EQ(info.bmiHeader.biSizeImage, 48u);
  {
    GuardedBuffer out(48);
    ASSERT_EQ(GetDIBits(dib.dc, dib.bitmap, 0, 3, out.data(), &info, DIB_RGB_COLORS), 3);
    EXPECT_EQ(out.data()[0], 0x40);  // first row in memory is the bottom row (y = 2)
    EXPECT_EQ(out.data()[1], 0x00);
    EXPECT_EQ(out.data()[2], 0x02);
    EXPECT_EQ(out.data()[32 + 3 * 4 + 1], 4);  // top row, x = 4
  }
  info = dib_info(5, -3, 32);  // top-down, scan lines 1 and 2 only
  {
    GuardedBuffer out(40);
    ASSERT_EQ(GetDIBits(dib.dc, dib.bitmap, 1, 5, out.data(), &info, DIB_RGB_COLORS), 2);
    const auto* words = reinterpret_cast<const uint32_t*>(out.data());
    EXPECT_EQ(words[0], 0xFF010040u);  // alpha travels with the copy
    EXPECT_EQ(words[9], 0xFF020440u);
  }
  EXPECT_EQ(GetDIBits(dib.dc, dib.bitmap, 7, 2, reinterpret_cast<void*>(16), &info, DIB_RGB_COLORS), 0);
  EXPECT_EQ(GetDIBits(dib.dc, nullptr, 0, 3, nullptr, &info, DIB_RGB_COLORS), 0);
}

// 8-bit rows index a 256-entry colour table that GetDIBits fills: colours of
// the table come back exactly, others as a near entry.
TEST(GetDIBits, EightBitRowsWithTheirColourTable) {
  TestDib dib(5, 1);
  const uint32_t colours[5] = {0x000000, 0xFFFFFF, 0xFF0000, 0x333399, 0x808080};
  for (int x = 0; x < 4; ++x) dib.set(x, 0, 0xFF000000u | colours[x]);
  dib.set(4, 0, 0xFF7F8182u);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD table[256];
  } info{};
  info.header = dib_info(5, 1, 8).bmiHeader;
  auto* as_info = reinterpret_cast<BITMAPINFO*>(&info);
  GuardedBuffer out(8);
  ASSERT_EQ(GetDIBits(dib.dc, dib.bitmap, 0, 1, out.data(), as_info, DIB_RGB_COLORS), 1);
  EXPECT_EQ(info.header.biSizeImage, 8u);
  const auto colour_at = [&](int x) {
    const RGBQUAD& q = info.table[out.data()[x]];
    return uint32_t{q.rgbRed} << 16 | uint32_t{q.rgbGreen} << 8 | q.rgbBlue;
  };
  EXPECT_EQ(info.table[249].rgbRed, 255);  // the static colours keep their places
  EXPECT_EQ(info.table[255].rgbBlue, 255);
  EXPECT_EQ(info.table[245].rgbGreen, 242);  // the grey ramp's last step: 20 * 255 / 21
  for (int x = 0; x < 4; ++x) EXPECT_EQ(colour_at(x), colours[x]) << x;
  EXPECT_EQ(colour_at(4), 0x808080u);
}

}  // namespace
