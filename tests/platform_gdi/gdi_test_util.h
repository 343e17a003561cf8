// Test helpers: a DIB header, and a DIB section (32- or 24-bit, top-down or
// bottom-up) selected into its own memory DC, with pixel access by row from the top,
// random filling, whole-image snapshots and the box of changed pixels.
// Depends on: gdi32's public header, tests/support/seeded.h.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "platform/gdi32.h"
#include "support/seeded.h"

namespace gdi_test {

// The header of a DIB of `height` rows (negative: top-down) and `bits` per pixel.
inline BITMAPINFO dib_info(LONG width, LONG height, WORD bits) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

class TestDib {
 public:
  TestDib(int width, int height, int bits_per_pixel = 32, bool top_down = true) : w(width), h(height), bpp(bits_per_pixel) {
    const BITMAPINFO info = dib_info(width, top_down ? -height : height, static_cast<WORD>(bits_per_pixel));
    void* p = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint8_t*>(p);
    stride = (width * bits_per_pixel + 31) / 32 * 4;
    first_row = top_down ? bits : bits + stride * (height - 1);
    if (!top_down) stride = -stride;
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
  }
  ~TestDib() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  TestDib(const TestDib&) = delete;
  TestDib& operator=(const TestDib&) = delete;

  // Pixel (x, y) counted from the top, as a 32-bit word (alpha 0 for 24-bit).
  uint32_t get(int x, int y) const {
    const uint8_t* p = first_row + stride * y + x * (bpp / 8);
    return bpp == 32 ? *reinterpret_cast<const uint32_t*>(p) : p[0] | (p[1] << 8) | (uint32_t{p[2]} << 16);
  }
  uint32_t& at(int x, int y) { return *reinterpret_cast<uint32_t*>(first_row + stride * y + x * 4); }  // 32-bit only
  void set(int x, int y, uint32_t word) {
    uint8_t* p = first_row + stride * y + x * (bpp / 8);
    for (int i = 0; i < bpp / 8; ++i) p[i] = static_cast<uint8_t>(word >> (8 * i));
  }
  void fill(uint32_t word) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) set(x, y, word);
  }
  void randomize(uint32_t seed) {
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) set(x, y, seeded::biased_word(rng));
  }
  std::vector<uint32_t> pixels() const {
    std::vector<uint32_t> out;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) out.push_back(get(x, y));
    return out;
  }

  const int w, h, bpp;
  HBITMAP bitmap = nullptr;
  HDC dc = nullptr;
  uint8_t* bits = nullptr;

 private:
  HGDIOBJ old = nullptr;
  ptrdiff_t stride = 0;
  uint8_t* first_row = nullptr;
};

// The smallest rectangle holding every pixel that differs from `word`; empty (all zero) when none does.
inline RECT changed_box(const TestDib& dib, uint32_t word) {
  RECT box{dib.w, dib.h, 0, 0};
  for (int y = 0; y < dib.h; ++y)
    for (int x = 0; x < dib.w; ++x)
      if (dib.get(x, y) != word) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box.left < box.right ? box : RECT{0, 0, 0, 0};
}

// left, top, right, bottom: comparable and printable.
inline std::vector<LONG> edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace gdi_test
