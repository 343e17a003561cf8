// Compositing onto a 32-bit 0xAARRGGBB surface. Source-over keeps the
// destination's colour as it stands whatever its alpha (GDI leaves alpha 0 in
// what it draws), so colour channels move from the destination towards the
// source by the source alpha times coverage, and alpha accumulates as
// a + d (1 - a). Source-copy replaces all four channels, mixed by coverage
// only. Every division by 255 rounds to nearest.
// Depends on: dc_pixels (the DC's surface), clip_mask, paint, raster. Builds and strokes no paths
// (render, stroke).
#include "gdiplus/canvas.h"
#include "gdiplus/dc_pixels.h"

#include <algorithm>
#include <cwchar>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace Gdiplus::render {

namespace {

inline uint32_t div255(uint32_t v) { return (v + 128 + ((v + 128) >> 8)) >> 8; }

// (d x (255 - w) + s x w) / 255, rounded, for the two bytes of each 16-bit
// lane of `d` and `s` (0x00XX00YY) at once: the lanes cannot overflow.
inline uint32_t lerp_lanes(uint32_t d, uint32_t s, uint32_t w) {
  const uint32_t t = d * (255 - w) + s * w + 0x00800080;
  return ((t + ((t >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
}

// `dst` moved towards `src` by weight w (0..255) in every channel.
inline uint32_t lerp_channels(uint32_t dst, uint32_t src, uint32_t w) {
  return lerp_lanes(dst & 0x00FF00FF, src & 0x00FF00FF, w) | (lerp_lanes((dst >> 8) & 0x00FF00FF, (src >> 8) & 0x00FF00FF, w) << 8);
}

// Source-over with the source's effective alpha `a` (its alpha times coverage) already known.
inline uint32_t over_with_alpha(uint32_t dst, uint32_t src, uint32_t a) {
  const uint32_t alpha = a + div255((dst >> 24) * (255 - a));
  return (lerp_channels(dst, src, a) & 0x00FFFFFF) | (alpha << 24);
}

inline uint32_t source_over(uint32_t dst, uint32_t src, uint32_t cover) {
  const uint32_t a = div255((src >> 24) * cover);
  if (a == 255) return src;
  if (a == 0) return dst;
  return over_with_alpha(dst, src, a);
}

inline uint32_t source_copy(uint32_t dst, uint32_t src, uint32_t cover) {
  return cover == 255 ? src : lerp_channels(dst, src, cover);
}

#if defined(__x86_64__)
// div255 in each 16-bit lane, for v <= 255 * 255.
inline __m128i div255_16(__m128i v) {
  return _mm_mulhi_epu16(_mm_add_epi16(v, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}

// Half of the pixels widened to 16-bit lanes: d moved towards s by w, as
// div255(d x 255 + (s - d) x w); the lanes wrap but the true value fits.
inline __m128i lerp_16(__m128i d, __m128i s, __m128i w) {
  const __m128i d255 = _mm_sub_epi16(_mm_slli_epi16(d, 8), d);
  return div255_16(_mm_add_epi16(d255, _mm_mullo_epi16(_mm_sub_epi16(s, d), w)));
}

// source_over(d, s, 255) for eight pixels with AVX2, the SSE2 steps below
// in 256-bit registers (unpacking and packing stay within each 128-bit half,
// so every pixel keeps its place), with alpha moved like a colour: towards
// 255 by the weight a, div255(d x 255 + (255 - d) x a) is a + div255(d x (255 - a)).
__attribute__((target("avx2"))) inline __m256i source_over_avx2(__m256i dv, __m256i sv) {
  const __m256i zero = _mm256_setzero_si256(), c128 = _mm256_set1_epi16(128), c257 = _mm256_set1_epi16(257);
  // Each pixel's alpha byte in the four 16-bit lanes of its channels.
  const __m256i alpha_lo = _mm256_setr_epi8(3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1,
                                            3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1);
  const __m256i alpha_hi = _mm256_add_epi8(alpha_lo, _mm256_set1_epi16(8));
  const __m256i target = _mm256_or_si256(sv, _mm256_set1_epi32(int(0xFF000000u)));
  __m256i half[2];
  for (int h = 0; h < 2; ++h) {
    const __m256i dw = h ? _mm256_unpackhi_epi8(dv, zero) : _mm256_unpacklo_epi8(dv, zero);
    const __m256i sw = h ? _mm256_unpackhi_epi8(target, zero) : _mm256_unpacklo_epi8(target, zero);
    const __m256i w = _mm256_shuffle_epi8(sv, h ? alpha_hi : alpha_lo);
    const __m256i d255 = _mm256_sub_epi16(_mm256_slli_epi16(dw, 8), dw);
    const __m256i t = _mm256_add_epi16(d255, _mm256_mullo_epi16(_mm256_sub_epi16(sw, dw), w));
    half[h] = _mm256_mulhi_epu16(_mm256_add_epi16(t, c128), c257);
  }
  return _mm256_packus_epi16(half[0], half[1]);
}

__attribute__((target("avx2"))) int source_over_vectors_avx2(uint32_t* d, const uint32_t* s, int len) {
  int i = 0;
  for (; i + 8 <= len; i += 8) {
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), source_over_avx2(dv, sv));
  }
  return i;
}

// Eight pixels of a gathered span: row[columns[0..7]]. The columns of a
// stretch run one way, so when eight of them lie within eight words (any
// enlargement) one load and a permutation fetch them; else eight loads do
// (measured faster than the hardware gather, which is slow on some
// processors). `width` words of the row may be read.
__attribute__((target("avx2"))) inline __m256i gather_avx2(const ARGB* row, int width, const int32_t* columns) {
  const int first = columns[0], last = columns[7], lo = std::min(first, last);
  if (std::max(first, last) - lo < 8 && lo <= width - 8) {
    const __m256i index = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columns));
    const __m256i words = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + lo));
    return _mm256_permutevar8x32_epi32(words, _mm256_sub_epi32(index, _mm256_set1_epi32(lo)));
  }
  const auto at = [row, columns](int k) { return int(row[columns[k]]); };
  return _mm256_setr_epi32(at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7));
}

// source_over(d, gathered colour, 255) eight pixels at a time, straight from
// the source row: no colour buffer between the two. Where all eight alphas
// are 0 the destination stays; where all are 255 the colours are stored.
__attribute__((target("avx2"))) int source_over_gathered_avx2(uint32_t* d, const Paint::RowGather& g, int len) {
  const ARGB* const row = g.row;
  const int32_t* const columns = g.columns;
  const int width = g.width;
  const bool weighted = g.alpha_weight != 255;
  const __m256i alpha_bits = _mm256_set1_epi32(int(0xFF000000u)), weight = _mm256_set1_epi32(int(g.alpha_weight));
  const __m256i c128 = _mm256_set1_epi16(128), c257 = _mm256_set1_epi16(257);
  int i = 0;
  for (; i + 8 <= len; i += 8) {
    __m256i sv = gather_avx2(row, width, columns + i);
    if (weighted) {
      // round(a x w / 255) as ((a x w + 128) x 257) >> 16, in the low 16 bits of each lane.
      const __m256i scaled = _mm256_mulhi_epu16(
          _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi32(sv, 24), weight), c128), c257);
      sv = _mm256_or_si256(_mm256_andnot_si256(alpha_bits, sv), _mm256_slli_epi32(scaled, 24));
    }
    const __m256i alpha = _mm256_and_si256(sv, alpha_bits);
    if (_mm256_testz_si256(alpha, alpha)) continue;
    __m256i* out = reinterpret_cast<__m256i*>(d + i);
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, alpha_bits)) == -1)
      _mm256_storeu_si256(out, sv);
    else
      _mm256_storeu_si256(out, source_over_avx2(_mm256_loadu_si256(out), sv));
  }
  return i;
}

// source_over(d, s, 255) for the four pixels of dv and sv.
inline __m128i source_over_4(__m128i dv, __m128i sv) {
  const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi32(255), colour = _mm_set1_epi32(0x00FFFFFF);
  const __m128i a = _mm_srli_epi32(sv, 24);
  const __m128i a2 = _mm_or_si128(a, _mm_slli_epi32(a, 16));
  const __m128i lo = lerp_16(_mm_unpacklo_epi8(dv, zero), _mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi32(a2, a2));
  const __m128i hi = lerp_16(_mm_unpackhi_epi8(dv, zero), _mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi32(a2, a2));
  const __m128i alpha = _mm_add_epi32(a, div255_16(_mm_mullo_epi16(_mm_srli_epi32(dv, 24), _mm_sub_epi32(full, a))));
  const __m128i mixed = _mm_and_si128(_mm_packus_epi16(lo, hi), colour);
  return _mm_or_si128(mixed, _mm_slli_epi32(alpha, 24));
}

// The first n (1..3) pixels at p in a vector, and back.
inline __m128i load_few(const uint32_t* p, int n) {
  const __m128i first = n == 1 ? _mm_cvtsi32_si128(int(p[0])) : _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
  return n == 3 ? _mm_unpacklo_epi64(first, _mm_cvtsi32_si128(int(p[2]))) : first;
}
inline void store_few(uint32_t* p, __m128i v, int n) {
  if (n == 1) {
    p[0] = uint32_t(_mm_cvtsi128_si32(v));
    return;
  }
  _mm_storel_epi64(reinterpret_cast<__m128i*>(p), v);
  if (n == 3) p[2] = uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(v, 8)));
}

// source_over(d, s, 255) four pixels at a time, the last one to three together.
void source_over_vectors_sse2(uint32_t* d, const uint32_t* s, int len) {
  int i = 0;
  for (; i + 4 <= len; i += 4) {
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), source_over_4(dv, sv));
  }
  if (i < len) store_few(d + i, source_over_4(load_few(d + i, len - i), load_few(s + i, len - i)), len - i);
}

bool has_avx2() {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  return avx2;
}

// The widest of the two the processor runs; returns the pixels done: all of them.
int source_over_vectors(uint32_t* d, const uint32_t* s, int len) {
  const int done = has_avx2() ? source_over_vectors_avx2(d, s, len) : 0;
  source_over_vectors_sse2(d + done, s + done, len - done);
  return len;
}
#else
bool has_avx2() { return false; }
int source_over_vectors(uint32_t*, const uint32_t*, int) { return 0; }
int source_over_gathered_avx2(uint32_t*, const Paint::RowGather&, int) { return 0; }
#endif

// source_over(d, gathered colour, 255) along a span.
void source_over_gathered(uint32_t* d, const Paint::RowGather& g, int len) {
  for (int i = source_over_gathered_avx2(d, g, len); i < len; ++i) {
    const ARGB c = g.row[g.columns[i]];
    d[i] = source_over(d[i], (c & 0x00FFFFFF) | div255((c >> 24) * g.alpha_weight) << 24, 255);
  }
}

template <typename ColorAt>
void blend(uint32_t* pixels, int len, const uint8_t* covers, uint32_t cover, bool copy, ColorAt color_at) {
  for (int i = 0; i < len; ++i) {
    const uint32_t c = covers ? covers[i] : cover;
    pixels[i] = copy ? source_copy(pixels[i], color_at(i), c) : source_over(pixels[i], color_at(i), c);
  }
}

// n copies of a 32-bit word. The C library's wide memset picks the best
// store sequence of the machine (full cache-line writes on long rows), which
// a plain loop does not.
void fill_words(uint32_t* p, int n, uint32_t word) {
  static_assert(sizeof(wchar_t) == sizeof(uint32_t), "wmemset writes 32-bit words here");
  std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(word), size_t(n));
}

bool antialiased(SmoothingMode mode) {
  return mode == SmoothingModeAntiAlias || mode == SmoothingModeAntiAlias8x8 || mode == SmoothingModeHighQuality;
}

// In the half modes integer coordinates lie on pixel edges; otherwise on pixel centres.
bool half_offset(PixelOffsetMode mode) { return mode == PixelOffsetModeHalf || mode == PixelOffsetModeHighQuality; }

}  // namespace

Canvas::Canvas(GpGraphics& graphics) {
  if (!dc_pixels(graphics.dc, &surface_) || surface_.bits_per_pixel != 32) return;
  const GraphicsSettings& settings = graphics.settings;
  clip_ = &update_clip_mask(graphics.clip_cache, settings.clip, surface_.width, surface_.height);
  space_.world_to_pixels = graphics.world_to_device();
  if (!half_offset(settings.pixel_offset))
    space_.world_to_pixels.combine(GpMatrix::translation(0.5f, 0.5f), MatrixOrderAppend);
  space_.pixels_to_world = space_.world_to_pixels;
  if (!space_.pixels_to_world.invert()) return;
  space_.antialias = antialiased(settings.smoothing);
  space_.box = clip_->box.intersect(PixelBox{0, 0, surface_.width, surface_.height});
  copy_ = settings.compositing_mode == CompositingModeSourceCopy;
  drawable_ = !space_.box.empty();
}

void Canvas::fill(const std::vector<Contour>& contours, FillMode rule, Paint& paint) {
  if (!drawable_) return;
  Rasterizer rasterizer(space_.antialias, rule, space_.box);
  rasterizer.add(contours);
  paint_ = &paint;
  rasterizer.sweep(*this);
  paint_ = nullptr;
}

void Canvas::fill_mask(const PixelBox& box, const uint8_t* bits, std::ptrdiff_t stride, Paint& paint) {
  if (!drawable_) return;
  const PixelBox area = box.intersect(space_.box);
  paint_ = &paint;
  for (int y = area.y0; y < area.y1; ++y) {
    const uint8_t* row = bits + (y - box.y0) * stride;
    if (paint.uniform) {
      // Zero coverage inside the row changes no pixel: the row goes whole
      // from its first covered pixel to its last.
      int x0 = area.x0, x1 = area.x1;
      while (x0 < x1 && row[x0 - box.x0] == 0) ++x0;
      while (x1 > x0 && row[x1 - 1 - box.x0] == 0) --x1;
      if (x0 < x1) span(y, x0, x1 - x0, row + (x0 - box.x0), 0);
      continue;
    }
    // Hand on the runs of non-zero coverage (a varying paint's colours are taken run by run).
    int x = area.x0;
    while (x < area.x1) {
      while (x < area.x1 && row[x - box.x0] == 0) ++x;
      const int start = x;
      while (x < area.x1 && row[x - box.x0] != 0) ++x;
      if (x > start) span(y, start, x - start, row + (start - box.x0), 0);
    }
  }
  paint_ = nullptr;
}

void Canvas::span(int y, int x, int len, const uint8_t* covers, uint8_t cover) {
  uint32_t* pixels = surface_.row32(y) + x;
  const uint8_t* clip_row = clip_->row(y);
  if (clip_row) {
    // Coverage times clip, per pixel.
    covers_.resize(size_t(len));
    const uint8_t* clip = clip_row + (x - clip_->box.x0);
    for (int i = 0; i < len; ++i) covers_[i] = uint8_t(div255(uint32_t(covers ? covers[i] : cover) * clip[i]));
    covers = covers_.data();
  }
  Paint::RowGather gathered;
  if (paint_->uniform) {
    const ARGB color = paint_->color;
    if (!covers && cover == 255 && (copy_ || (color >> 24) == 255)) {
      fill_words(pixels, len, color);
      return;
    }
    if (!covers && !copy_) {
      // One colour at one coverage: the effective alpha is the same for the whole run.
      const uint32_t a = div255((color >> 24) * cover);
      if (a != 0)
        for (int i = 0; i < len; ++i) pixels[i] = over_with_alpha(pixels[i], color, a);
      return;
    }
    if (copy_) {
      blend(pixels, len, covers, cover, copy_, [color](int) { return color; });
      return;
    }
    // Source-over at each pixel's coverage is source-over at full coverage
    // of the colour with its alpha times that coverage: the vector rows below.
    colors_.resize(size_t(len));
    const uint32_t alpha = color >> 24, rgb = color & 0x00FFFFFF;
    for (int i = 0; i < len; ++i) colors_[size_t(i)] = rgb | (div255(alpha * covers[i]) << 24);
    covers = nullptr;
    cover = 255;
  } else if (!covers && cover == 255 && !copy_ && has_avx2() && paint_->gather(y, x, len, gathered)) {
    // A gathered span (a stretched image) is blended straight from its source row.
    source_over_gathered(pixels, gathered, len);
    return;
  } else {
    colors_.resize(size_t(len));
    paint_->colors(y, x, len, colors_.data());
  }
  // Fully covered runs of source-over (images, gradients, text) go four or eight pixels at
  // a time; the formulas are source_over's at coverage 255, bit for bit.
  const int done = !covers && cover == 255 && !copy_ ? source_over_vectors(pixels, colors_.data(), len) : 0;
  blend(pixels + done, len - done, covers, cover, copy_, [this, done](int i) { return colors_[size_t(i + done)]; });
}

}  // namespace Gdiplus::render
