// Screen reads into surfaces. The 24-bit packing is the hot loop of every
// screen capture: SSSE3 shuffles four pixels at a time where the processor has it.
// Depends on: the Surface type. Knows no backend; reads no screen itself.
#include "display/screen_read.h"

#include <algorithm>
#include <cstring>

#include <immintrin.h>

namespace platform::display {
namespace {

// Sixteen pixels (64 bytes) become three whole 16-byte stores: each group of
// four is shuffled down to 12 bytes and the groups are shifted together.
__attribute__((target("ssse3"))) inline __m128i packed_four(const uint32_t* words) {
  const __m128i order = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(words)), order);
}

__attribute__((target("ssse3"))) int pack_24_ssse3(const uint32_t* words, uint8_t* out, int count) {
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    const __m128i a = packed_four(words + i), b = packed_four(words + i + 4), c = packed_four(words + i + 8),
                  d = packed_four(words + i + 12);
    __m128i* to = reinterpret_cast<__m128i*>(out + 3 * i);
    _mm_storeu_si128(to, _mm_or_si128(a, _mm_slli_si128(b, 12)));
    _mm_storeu_si128(to + 1, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
    _mm_storeu_si128(to + 2, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
  }
  return i;
}

bool has_ssse3() {
  static const bool supported = __builtin_cpu_supports("ssse3");
  return supported;
}

uint8_t* pixel_address(const Surface& s, int column, int row) {
  return s.bits + s.stride * row + static_cast<ptrdiff_t>(column) * (s.bits_per_pixel / 8);
}

}  // namespace

RECT on_screen_part(int x, int y, SIZE screen, const Surface& destination) {
  RECT part = {std::max(x, 0), std::max(y, 0), std::min<LONG>(x + destination.width, screen.cx),
               std::min<LONG>(y + destination.height, screen.cy)};
  const bool inside = part.left < part.right && part.top < part.bottom;
  if (!inside) part = RECT{0, 0, 0, 0};
  if (!inside || part.right - part.left < destination.width || part.bottom - part.top < destination.height) {
    const size_t row_bytes = static_cast<size_t>(destination.width) * static_cast<size_t>(destination.bits_per_pixel / 8);
    for (int row = 0; row < destination.height; ++row) std::memset(pixel_address(destination, 0, row), 0, row_bytes);
  }
  return part;
}

void pack_24(const uint32_t* words, uint8_t* out, int count) {
  int i = has_ssse3() ? pack_24_ssse3(words, out, count) : 0;
  for (; i < count; ++i) {
    out[3 * i] = static_cast<uint8_t>(words[i]);
    out[3 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
    out[3 * i + 2] = static_cast<uint8_t>(words[i] >> 16);
  }
}

void write_words(const Surface& destination, int column, int row, const uint32_t* words, int count) {
  uint8_t* out = pixel_address(destination, column, row);
  if (destination.bits_per_pixel == 24) {
    pack_24(words, out, count);
    return;
  }
  auto* to = reinterpret_cast<uint32_t*>(out);
  for (int i = 0; i < count; ++i) to[i] = words[i] & 0x00FFFFFFu;
}

}  // namespace platform::display
