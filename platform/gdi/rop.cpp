// The ROP3 executor for one row of pixels: the general truth-table path and
// fast paths for the common operations.
// Depends on: nothing but its header. Knows nothing of DCs, clipping or
// where the pattern comes from.
#include "gdi/rop.h"

#include <algorithm>
#include <cstring>

namespace platform::gdi {
namespace {

// Fast-path truth tables.
constexpr uint8_t kBlackness = 0x00, kWhiteness = 0xFF;
constexpr uint8_t kSrcCopy = 0xCC, kNotSrcCopy = 0x33, kPatCopy = 0xF0, kMergeCopy = 0xC0;
constexpr uint8_t kSrcAnd = 0x88, kSrcPaint = 0xEE, kSrcInvert = 0x66;

}  // namespace

uint32_t rop3_apply(uint8_t table, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t result = 0;
  for (int k = 0; k < 8; ++k) {
    if ((table >> k) & 1) result |= ((k & 4) ? p : ~p) & ((k & 2) ? s : ~s) & ((k & 1) ? d : ~d);
  }
  return result;
}

void rop3_row(uint8_t table, uint32_t* dst, const uint32_t* src, const uint32_t* pattern, int64_t x, size_t n) {
  switch (table) {
    case kSrcCopy: std::memmove(dst, src, n * sizeof(uint32_t)); return;
    case kBlackness: std::fill(dst, dst + n, 0u); return;
    case kWhiteness: std::fill(dst, dst + n, 0xFFFFFFFFu); return;
    case kNotSrcCopy:
      for (size_t i = 0; i < n; ++i) dst[i] = ~src[i];
      return;
    case kSrcAnd:
      for (size_t i = 0; i < n; ++i) dst[i] &= src[i];
      return;
    case kSrcPaint:
      for (size_t i = 0; i < n; ++i) dst[i] |= src[i];
      return;
    case kSrcInvert:
      for (size_t i = 0; i < n; ++i) dst[i] ^= src[i];
      return;
    case kPatCopy:
      for (size_t i = 0; i < n; ++i) dst[i] = pattern[(x + static_cast<int64_t>(i)) & 7];
      return;
    case kMergeCopy:
      for (size_t i = 0; i < n; ++i) dst[i] = pattern[(x + static_cast<int64_t>(i)) & 7] & src[i];
      return;
    default:
      for (size_t i = 0; i < n; ++i) {
        dst[i] = rop3_apply(table, pattern[(x + static_cast<int64_t>(i)) & 7], src ? src[i] : 0u, dst[i]);
      }
  }
}

}  // namespace platform::gdi
