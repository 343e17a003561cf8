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
#include "platform/vector_ops_sse2.h"
#endif

namespace frond {
namespace {

constexpr argb_color kColour = 0x00FFFFFF;

#if defined(__x86_64__)
using platform::vector::sse2_ops;

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
