// Pixel loops over 32-bit and 24-bit rows: spans opened as 32-bit words and
// stored back, single pixels, gathers through a column table, pattern fills.
// Depends on: the surface description and brush tiles. Does no clipping: its
// callers hand it rectangles already inside the surface and the clip.
#include "gdi/primitives.h"

#include <algorithm>
#include <cstring>

namespace platform::gdi {

uint32_t* open_span(const Surface& s, int x, int y, size_t n, uint32_t* scratch) {
  if (s.bits_per_pixel == 32) return s.row32(y) + x;
  const uint8_t* p = s.bits + s.stride * y + ptrdiff_t{x} * 3;
  for (size_t i = 0; i < n; ++i, p += 3) scratch[i] = p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16);
  return scratch;
}

void close_span(const Surface& s, int x, int y, size_t n, const uint32_t* words) {
  if (s.bits_per_pixel == 32) return;
  uint8_t* p = s.bits + s.stride * y + ptrdiff_t{x} * 3;
  size_t i = 0;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  // Four pixels make three whole words: B G R B | G R B G | R B G R.
  for (; i + 4 <= n; i += 4, p += 12) {
    const uint32_t* w = words + i;
    const uint32_t packed[3] = {(w[0] & 0x00FFFFFF) | w[1] << 24, ((w[1] >> 8) & 0xFFFF) | w[2] << 16,
                                ((w[2] >> 16) & 0xFF) | w[3] << 8};
    std::memcpy(p, packed, sizeof packed);
  }
#endif
  for (; i < n; ++i, p += 3) {
    p[0] = static_cast<uint8_t>(words[i]);
    p[1] = static_cast<uint8_t>(words[i] >> 8);
    p[2] = static_cast<uint8_t>(words[i] >> 16);
  }
}

uint32_t read_pixel(const Surface& s, int x, int y) {
  uint32_t word;
  return *open_span(s, x, y, 1, &word);
}

void write_pixel(const Surface& s, int x, int y, uint32_t word) {
  if (s.bits_per_pixel == 32) {
    s.row32(y)[x] = word;
  } else {
    close_span(s, x, y, 1, &word);
  }
}

void gather_span(const uint32_t* row, const int32_t* columns, size_t n, uint32_t* out) {
  // Unrolled: one load, one indexed load and one store per pixel leave the
  // loop's own counting as the bottleneck.
#pragma GCC unroll 8
  for (size_t i = 0; i < n; ++i) out[i] = row[columns[i]];
}

void fill_pattern(const Surface& s, const RECT& r, const Pattern& p, bool lines_only, uint32_t* scratch) {
  const size_t n = static_cast<size_t>(r.right - r.left);
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* span = open_span(s, r.left, y, n, scratch);
    const uint32_t* words = p.row(y);
    if (p.solid) {
      std::fill(span, span + n, words[0]);
    } else {
      for (size_t i = 0; i < n; ++i) {
        const int64_t x = int64_t{r.left} + static_cast<int64_t>(i);
        if (!lines_only || p.on_line(x, y)) span[i] = words[x & 7];
      }
    }
    close_span(s, r.left, y, n, span);
  }
}

}  // namespace platform::gdi
