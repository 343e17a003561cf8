// A deterministic picture with the make-up of a desktop screenshot: a
// gradient wallpaper, a task bar with icons, overlapping windows with title
// bars, toolbars, anti-aliased text on flat ground and one photo-like panel;
// and packed RGB turned into 32-bit ARGB pixels.
// Shared by the PNG tool's and the cycle's benchmarks and the PNG tool's tests.
// Depends on the standard library only.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace synthetic {

struct Rgb {
  int r, g, b;
};

// Packed 8-bit RGB rows, top row first.
struct Canvas {
  Canvas(int width, int height) : w(width), h(height), rgb(std::size_t(width) * height * 3) {}

  // Mixes `c` over the pixel with coverage 0..255.
  void blend(int x, int y, Rgb c, int coverage = 255) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    std::uint8_t* p = &rgb[(std::size_t(y) * w + x) * 3];
    p[0] = static_cast<std::uint8_t>(p[0] + (c.r - p[0]) * coverage / 255);
    p[1] = static_cast<std::uint8_t>(p[1] + (c.g - p[1]) * coverage / 255);
    p[2] = static_cast<std::uint8_t>(p[2] + (c.b - p[2]) * coverage / 255);
  }
  void fill(int x0, int y0, int width, int height, Rgb c) {
    for (int y = y0; y < y0 + height; ++y)
      for (int x = x0; x < x0 + width; ++x) blend(x, y, c);
  }

  int w, h;
  std::vector<std::uint8_t> rgb;
};

constexpr int kGlyphW = 7, kGlyphH = 12, kGlyphs = 40;
using Glyph = std::array<std::uint8_t, kGlyphW * kGlyphH>;

// Stroke-like shapes with grey edges, as text rendered with anti-aliasing.
inline std::vector<Glyph> make_glyphs(std::mt19937& rng) {
  std::vector<Glyph> glyphs(kGlyphs);
  for (Glyph& g : glyphs) {
    g.fill(0);
    const int strokes = 2 + static_cast<int>(rng() % 3);
    for (int s = 0; s < strokes; ++s) {
      const bool vertical = rng() % 2 == 0;
      const int at = 1 + static_cast<int>(rng() % (vertical ? kGlyphW - 2 : kGlyphH - 4));
      const int from = 2 + static_cast<int>(rng() % 4), to = from + 3 + static_cast<int>(rng() % 5);
      for (int t = from; t < std::min(to, vertical ? kGlyphH - 1 : kGlyphW); ++t) {
        const int x = vertical ? at : t, y = vertical ? t : at + 2;
        if (x >= kGlyphW || y >= kGlyphH) continue;
        g[y * kGlyphW + x] = 255;
        const int side = vertical ? (x + 1 < kGlyphW ? y * kGlyphW + x + 1 : -1) : (y + 1 < kGlyphH ? (y + 1) * kGlyphW + x : -1);
        if (side >= 0) g[side] = std::max<std::uint8_t>(g[side], 96);
      }
    }
  }
  return glyphs;
}

inline void text_line(Canvas& c, const std::vector<Glyph>& glyphs, std::mt19937& rng, int x, int y, int width,
                      Rgb ink) {
  int pen = x;
  while (pen + kGlyphW < x + width) {
    const int word = 2 + static_cast<int>(rng() % 8);
    for (int i = 0; i < word && pen + kGlyphW < x + width; ++i, pen += kGlyphW) {
      const Glyph& g = glyphs[rng() % glyphs.size()];
      for (int gy = 0; gy < kGlyphH; ++gy)
        for (int gx = 0; gx < kGlyphW; ++gx)
          if (g[gy * kGlyphW + gx]) c.blend(pen + gx, y + gy, ink, g[gy * kGlyphW + gx]);
    }
    pen += kGlyphW;
  }
}

inline void window(Canvas& c, const std::vector<Glyph>& glyphs, std::mt19937& rng, int x, int y, int w, int h,
                   Rgb accent) {
  c.fill(x - 1, y - 1, w + 2, h + 2, {90, 90, 96});
  c.fill(x, y, w, 30, accent);
  text_line(c, glyphs, rng, x + 12, y + 9, std::min(w / 3, 260), {255, 255, 255});
  for (int b = 0; b < 3; ++b) c.fill(x + w - 30 - b * 30, y + 8, 14, 14, {230, 230, 230});
  c.fill(x, y + 30, w, 34, {243, 243, 243});
  for (int b = 0; b * 34 + 40 < w / 2; ++b) {
    c.fill(x + 8 + b * 34, y + 35, 24, 24, {static_cast<int>(rng() % 200), 120, static_cast<int>(rng() % 255)});
  }
  c.fill(x, y + 64, w, h - 64, {255, 255, 255});
  const int side = std::min(180, w / 4);
  c.fill(x, y + 64, side, h - 64, {240, 242, 245});
  for (int line = y + 74; line + kGlyphH < y + h - 8; line += 20) {
    text_line(c, glyphs, rng, x + 10, line, side - 20, {60, 60, 70});
    text_line(c, glyphs, rng, x + side + 16, line, (w - side - 32) * (60 + static_cast<int>(rng() % 40)) / 100,
              {30, 30, 30});
  }
}

// A smooth picture with sensor noise, as a photo shown in a viewer.
inline void photo(Canvas& c, std::mt19937& rng, int x0, int y0, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int n = static_cast<int>(rng() % 9) - 4;
      c.blend(x0 + x, y0 + y,
              {std::clamp(90 + x * 120 / w + n, 0, 255), std::clamp(140 - y * 60 / h + n, 0, 255),
               std::clamp(60 + (x + y) * 80 / (w + h) + n, 0, 255)});
    }
}

// Packed 8-bit RGB rows, top row first.
inline std::vector<std::uint8_t> screenshot(int width, int height, std::uint32_t seed = 1) {
  std::mt19937 rng(seed);
  Canvas c(width, height);
  for (int y = 0; y < height; ++y) c.fill(0, y, width, 1, {20 + 40 * y / height, 40 + 50 * y / height, 90 - 30 * y / height});
  const std::vector<Glyph> glyphs = make_glyphs(rng);
  window(c, glyphs, rng, width / 12, height / 10, width * 7 / 12, height * 6 / 10, {0, 95, 184});
  window(c, glyphs, rng, width * 5 / 12, height / 4, width / 2, height * 6 / 10, {46, 46, 52});
  photo(c, rng, width * 5 / 12 + width / 8 + 16, height / 4 + 90, width / 4, height / 4);
  const int bar = std::max(8, height / 22);
  c.fill(0, height - bar, width, bar, {32, 32, 36});
  for (int i = 0; i < 12 && (i + 1) * bar * 3 / 2 < width; ++i)
    c.fill(bar + i * bar * 3 / 2, height - bar + bar / 6, bar * 2 / 3, bar * 2 / 3,
           {static_cast<int>(rng() % 256), static_cast<int>(rng() % 256), static_cast<int>(rng() % 256)});
  text_line(c, glyphs, rng, width - 90, height - bar + (bar - kGlyphH) / 2, 80, {230, 230, 230});
  return std::move(c.rgb);
}

// Packed 8-bit RGB as opaque 32-bit ARGB pixels (B, G, R, A in memory).
inline void to_argb(const std::vector<std::uint8_t>& rgb, std::uint32_t* pixels) {
  for (std::size_t i = 0; i < rgb.size() / 3; ++i)
    pixels[i] = 0xFF000000u | std::uint32_t(rgb[3 * i]) << 16 | std::uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
}

}  // namespace synthetic
