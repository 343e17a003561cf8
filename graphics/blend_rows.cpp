// The blends' row loops: whole vectors through the widest kernel set the
// machine offers (AVX2, else SSE2), the rest of a row one pixel at a time
// through blend_math.h. A row whose source (or filter) starts a few pixels
// before its destination in the same buffer reads pixels that the row has
// just written; such rows go one pixel at a time, in order.
// Depends on: blend_math.h, blend_rows_simd.h. No allocation, no GDI.

#include "graphics/blend_rows.h"

#include "graphics/blend_math.h"
#include "graphics/blend_rows_simd.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace frond {
namespace {

constexpr argb_color kColour = 0x00FFFFFF;

#if defined(__x86_64__)
// 128-bit vector operations for the kernels of blend_rows_simd.h.
struct sse2_ops {
  using vec = __m128i;
  static constexpr int lanes = 4;
  static vec load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const vec*>(p)); }
  static void store(uint32_t* p, vec v) { _mm_storeu_si128(reinterpret_cast<vec*>(p), v); }
  static vec zero() { return _mm_setzero_si128(); }
  static vec set32(uint32_t x) { return _mm_set1_epi32(int(x)); }
  static vec set16(uint16_t x) { return _mm_set1_epi16(short(x)); }
  static vec add16(vec a, vec b) { return _mm_add_epi16(a, b); }
  static vec sub16(vec a, vec b) { return _mm_sub_epi16(a, b); }
  static vec mullo16(vec a, vec b) { return _mm_mullo_epi16(a, b); }
  static vec mulhi_u16(vec a, vec b) { return _mm_mulhi_epu16(a, b); }
  static vec shl8_16(vec a) { return _mm_slli_epi16(a, 8); }
  static vec shl16_32(vec a) { return _mm_slli_epi32(a, 16); }
  static vec shr24_32(vec a) { return _mm_srli_epi32(a, 24); }
  static vec shr8_32(vec a) { return _mm_srli_epi32(a, 8); }
  static vec shl8_32(vec a) { return _mm_slli_epi32(a, 8); }
  static vec add32(vec a, vec b) { return _mm_add_epi32(a, b); }
  static vec sub32(vec a, vec b) { return _mm_sub_epi32(a, b); }
  // The low 32 bits of each lane's product: SSE2 multiplies the even lanes, then the odd ones.
  static vec mullo32(vec a, vec b) {
    const vec even = _mm_mul_epu32(a, b);
    const vec odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
  }
  static vec or_(vec a, vec b) { return _mm_or_si128(a, b); }
  static vec and_(vec a, vec b) { return _mm_and_si128(a, b); }
  static vec andnot(vec a, vec b) { return _mm_andnot_si128(a, b); }
  static vec cmpeq32(vec a, vec b) { return _mm_cmpeq_epi32(a, b); }
  static vec unpacklo8(vec a, vec b) { return _mm_unpacklo_epi8(a, b); }
  static vec unpackhi8(vec a, vec b) { return _mm_unpackhi_epi8(a, b); }
  static vec unpacklo32(vec a, vec b) { return _mm_unpacklo_epi32(a, b); }
  static vec unpackhi32(vec a, vec b) { return _mm_unpackhi_epi32(a, b); }
  static vec packus16(vec a, vec b) { return _mm_packus_epi16(a, b); }
};

constexpr blend_kernels kSse2 = simd::kernels<sse2_ops>();

const blend_kernels* choose_kernels() {
  const blend_kernels* wide = avx2_blend_kernels();
  return wide ? wide : &kSse2;
}

// The machine's kernels, chosen once.
const blend_kernels* kernels() {
  static const blend_kernels* chosen = choose_kernels();
  return chosen;
}

// True when a vector step could read a pixel that an earlier pixel of the
// same step writes: the read row starts 1 to 7 pixels before the written one.
bool overtakes(const argb_color* written, const argb_color* read) {
  const uintptr_t gap = reinterpret_cast<uintptr_t>(written) - reinterpret_cast<uintptr_t>(read);
  return gap - 1 < (kMaxVectorPixels - 1) * sizeof(argb_color);
}
#else
// No vector kernels: every row goes through the scalar formulas.
const blend_kernels* kernels() { return nullptr; }
bool overtakes(const argb_color*, const argb_color*) { return true; }
#endif

}  // namespace

#if defined(__x86_64__)
const blend_kernels* sse2_blend_kernels() { return &kSse2; }
#endif

void transparent_row(argb_color* d, const argb_color* s, int n, argb_color key) {
  int i = overtakes(d, s) ? 0 : kernels()->transparent(d, s, n, key);
  for (; i < n; ++i)
    if ((s[i] & kColour) != (key & kColour)) d[i] = (s[i] & kColour) | (d[i] & ~kColour);
}

void alphablend_row(argb_color* d, const argb_color* s, int n, uint32_t alpha) {
  int i = overtakes(d, s) ? 0 : kernels()->alphablend(d, s, n, alpha);
  for (; i < n; ++i) d[i] = blendover(d[i], s[i], div255round((s[i] >> 24) * alpha));
}

void alphatransparent_row(argb_color* d, const argb_color* s, int n, argb_color key, uint32_t alpha) {
  int i = overtakes(d, s) ? 0 : kernels()->alphatransparent(d, s, n, key, alpha);
  for (; i < n; ++i)
    if ((s[i] & kColour) != (key & kColour)) d[i] = blendrgb(d[i], s[i], alpha);
}

void withalpha_row(argb_color* d, const argb_color* s, int n) {
  int i = overtakes(d, s) ? 0 : kernels()->withalpha(d, s, n);
  for (; i < n; ++i) d[i] = blendpacked(d[i], s[i], alphato256(s[i] >> 24));
}

void alphafilter_row(argb_color* d, const argb_color* s, const argb_color* f, int n) {
  int i = overtakes(d, s) || overtakes(d, f) ? 0 : kernels()->alphafilter(d, s, f, n);
  for (; i < n; ++i)
    if (f[i] != 0) d[i] = blendover(d[i], s[i], div255round((f[i] & 0xFF) * (s[i] >> 24)));
}

}  // namespace frond
