// The blends' SIMD loops, written once over a small set of vector
// operations so that the same code serves 128-bit (SSE2) and 256-bit (AVX2)
// registers. Each processes whole vectors from the start of a row and
// returns how many pixels it did; the caller finishes the row one pixel at a
// time. Internal to blend_rows*.cpp: a translation unit includes this after
// choosing its instruction set.
// Depends on: a vector_ops header chosen by the includer. Does not choose the instruction set.
//
// Every channel is computed in 16-bit lanes, where each intermediate of the
// per-pixel formulas fits, so the results equal blend_math.h's bit for bit.
#pragma once

#include <cstdint>

namespace frond {

// One instruction set's entry points (null when the machine lacks it).
struct blend_kernels {
  int (*transparent)(uint32_t* d, const uint32_t* s, int n, uint32_t key);
  int (*alphablend)(uint32_t* d, const uint32_t* s, int n, uint32_t alpha);
  int (*alphatransparent)(uint32_t* d, const uint32_t* s, int n, uint32_t key, uint32_t alpha);
  int (*alphafilter)(uint32_t* d, const uint32_t* s, const uint32_t* f, int n);
  int (*withalpha)(uint32_t* d, const uint32_t* s, int n);
};

// The widest vector any kernel set uses, in pixels.
constexpr int kMaxVectorPixels = 8;

// The SSE2 kernels (x86-64 only), and the AVX2 ones or null when the
// processor lacks AVX2.
const blend_kernels* sse2_blend_kernels();
const blend_kernels* avx2_blend_kernels();

namespace simd {

constexpr uint32_t kColour = 0x00FFFFFF;

// div255round in each 16-bit lane (v <= 255 * 255): ((v + 128) * 257) >> 16
// gives the same value over that whole range.
template <class V>
typename V::vec div255round16(typename V::vec v) {
  return V::mulhi_u16(V::add16(v, V::set16(128)), V::set16(257));
}

// Pixels widened to 16-bit lanes: blend_channel for each of their bytes, as
// div255round(d * 255 + (s - d) * w). The lanes wrap, but the true sum lies
// in 0..255 * 255, so its low 16 bits are the sum itself.
template <class V>
typename V::vec mix_half(typename V::vec d, typename V::vec s, typename V::vec w) {
  const typename V::vec d255 = V::sub16(V::shl8_16(d), d);
  return div255round16<V>(V::add16(d255, V::mullo16(V::sub16(s, d), w)));
}

// blend_channel(D byte, S byte, w) for every byte of a vector of pixels; w
// holds one weight 0..255 per pixel in its 32-bit lane.
template <class V>
typename V::vec mix(typename V::vec d, typename V::vec s, typename V::vec w) {
  const typename V::vec zero = V::zero();
  const typename V::vec w2 = V::or_(w, V::shl16_32(w));  // the weight in both 16-bit halves
  const typename V::vec lo =
      mix_half<V>(V::unpacklo8(d, zero), V::unpacklo8(s, zero), V::unpacklo32(w2, w2));
  const typename V::vec hi =
      mix_half<V>(V::unpackhi8(d, zero), V::unpackhi8(s, zero), V::unpackhi32(w2, w2));
  return V::packus16(lo, hi);
}

// div255round(a * b) per 32-bit lane, for a and b in 0..255.
template <class V>
typename V::vec scaled_alpha(typename V::vec a, typename V::vec b) {
  return div255round16<V>(V::mullo16(a, b));
}

// The source with alpha 255: blending it by w is blendover's alpha rule.
template <class V>
typename V::vec opaque(typename V::vec s) {
  return V::or_(s, V::set32(0xFF000000));
}

template <class V>
int transparent(uint32_t* d, const uint32_t* s, int n, uint32_t key) {
  const typename V::vec colour = V::set32(kColour), keyed = V::set32(key & kColour);
  int i = 0;
  for (; i + V::lanes <= n; i += V::lanes) {
    const typename V::vec sv = V::and_(V::load(s + i), colour), dv = V::load(d + i);
    const typename V::vec skip = V::cmpeq32(sv, keyed);
    const typename V::vec put = V::or_(sv, V::andnot(colour, dv));
    V::store(d + i, V::or_(V::and_(skip, dv), V::andnot(skip, put)));
  }
  return i;
}

template <class V>
int alphablend(uint32_t* d, const uint32_t* s, int n, uint32_t alpha) {
  const typename V::vec constant = V::set32(alpha);
  int i = 0;
  for (; i + V::lanes <= n; i += V::lanes) {
    const typename V::vec sv = V::load(s + i);
    // With alpha 255 the weight is the source alpha itself.
    const typename V::vec source_alpha = V::shr24_32(sv);
    const typename V::vec weight = alpha == 255 ? source_alpha : scaled_alpha<V>(source_alpha, constant);
    V::store(d + i, mix<V>(V::load(d + i), opaque<V>(sv), weight));
  }
  return i;
}

template <class V>
int alphatransparent(uint32_t* d, const uint32_t* s, int n, uint32_t key, uint32_t alpha) {
  const typename V::vec colour = V::set32(kColour), keyed = V::set32(key & kColour), constant = V::set32(alpha);
  int i = 0;
  for (; i + V::lanes <= n; i += V::lanes) {
    const typename V::vec sv = V::and_(V::load(s + i), colour), dv = V::load(d + i);
    // Keyed pixels get weight 0, which leaves D as it is; blending the
    // source under D's alpha keeps that alpha (blendrgb).
    const typename V::vec weight = V::andnot(V::cmpeq32(sv, keyed), constant);
    V::store(d + i, mix<V>(dv, V::or_(sv, V::andnot(colour, dv)), weight));
  }
  return i;
}

template <class V>
int alphafilter(uint32_t* d, const uint32_t* s, const uint32_t* f, int n) {
  const typename V::vec low_byte = V::set32(0xFF);
  int i = 0;
  for (; i + V::lanes <= n; i += V::lanes) {
    const typename V::vec sv = V::load(s + i), fv = V::load(f + i);
    // A filter pixel of 0 gives weight 0, which leaves D as it is.
    const typename V::vec weight =
        V::andnot(V::cmpeq32(fv, V::zero()), scaled_alpha<V>(V::and_(fv, low_byte), V::shr24_32(sv)));
    V::store(d + i, mix<V>(V::load(d + i), opaque<V>(sv), weight));
  }
  return i;
}

// blendpacked(D, S, alphato256(S.a)) in 32-bit lanes, operation for
// operation: the red-and-blue product lets a borrow or carry of blue reach
// red exactly as the scalar formula does.
template <class V>
int withalpha(uint32_t* d, const uint32_t* s, int n) {
  const typename V::vec rb_mask = V::set32(0x00FF00FF), g_mask = V::set32(0x0000FF00),
                        alpha_mask = V::set32(0xFF000000), rb_round = V::set32(0x007F007F),
                        g_round = V::set32(0x00007F00), c384 = V::set32(384), c127 = V::set32(127);
  int i = 0;
  for (; i + V::lanes <= n; i += V::lanes) {
    const typename V::vec sv = V::load(s + i), dv = V::load(d + i);
    const typename V::vec a256 = V::shl8_32(V::shr24_32(sv));  // alphato256: div255round(S.a * 256)
    const typename V::vec a = V::shr8_32(V::add32(V::add32(a256, V::shr8_32(V::add32(a256, c384))), c127));
    const typename V::vec rb_d = V::and_(dv, rb_mask), g_d = V::and_(dv, g_mask);
    const typename V::vec rb_step = V::add32(V::mullo32(V::sub32(V::and_(sv, rb_mask), rb_d), a), rb_round);
    const typename V::vec g_step = V::add32(V::mullo32(V::sub32(V::and_(sv, g_mask), g_d), a), g_round);
    const typename V::vec rb = V::and_(V::add32(rb_d, V::shr8_32(rb_step)), rb_mask);
    const typename V::vec g = V::and_(V::add32(g_d, V::shr8_32(g_step)), g_mask);
    V::store(d + i, V::or_(V::and_(dv, alpha_mask), V::or_(rb, g)));
  }
  return i;
}

template <class V>
constexpr blend_kernels kernels() {
  return {&transparent<V>, &alphablend<V>, &alphatransparent<V>, &alphafilter<V>, &withalpha<V>};
}

}  // namespace simd
}  // namespace frond
