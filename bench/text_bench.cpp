// Both text paths of the library against FreeType with a glyph cache, in the
// same run: one line of 54 characters at 24 pixels in DejaVu Sans on a
// 1600x900 image. The reference renders each glyph once (anti-aliased, no
// hinting, as the GDI+ path draws) and then only blends the cached coverage
// in the text colour, pen position rounded to whole pixels. Every case checks
// that its call changed the image. Depends on: Frond, FreeType, support/.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <cwchar>
#include <functional>
#include <vector>

#include "frond/frond.h"
#include "support/bench_support.h"

namespace {

constexpr int kWidth = 1600, kHeight = 900, kPixels = 24;
const wchar_t kLine[] = L"The quick brown fox jumps over the lazy dog 0123456789";

// Times `draw` on a 1600x900 image with the font, colour and transparent
// background of every case, once it is seen to draw.
void on_text_image(benchmark::State& state, const std::function<void(frond::IMAGE*)>& draw) {
  frond::IMAGE img(kWidth, kHeight);
  frond::setfont(kPixels, 0, L"DejaVu Sans", &img);
  frond::settextcolor(0xFFF0E0D0, &img);
  frond::setbkmode(1, &img);  // transparent background for the GDI path
  bench::time_if_it_draws(state, img, int64_t(std::wcslen(kLine)), [&] { draw(&img); });
}

void FrondOuttextxyGdiplus(benchmark::State& state) {
  on_text_image(state, [](frond::IMAGE* img) { frond::frond_outtextxy(100, 100, kLine, img); });
}

void FrondOuttextxyGdi(benchmark::State& state) {
  on_text_image(state, [](frond::IMAGE* img) { frond::outtextxy(100, 100, kLine, img); });
}

// The coverage of each character of the line in one face, rendered once
// (anti-aliased, no hinting), blended source-over in one colour.
class cached_freetype {
 public:
  cached_freetype() {
    FT_Init_FreeType(&library_);
    if (FT_New_Face(library_, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 0, &face_) != 0) {
      face_ = nullptr;
      return;
    }
    FT_Set_Pixel_Sizes(face_, 0, kPixels);
    for (const wchar_t* c = kLine; *c; ++c) {
      if (FT_Load_Char(face_, FT_ULong(*c), FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) continue;
      const FT_GlyphSlot slot = face_->glyph;
      const FT_Bitmap& b = slot->bitmap;
      glyph& g = glyphs_[size_t(*c) & 0xFF];
      g = {slot->bitmap_left, slot->bitmap_top, int(b.width), int(b.rows), int((slot->advance.x + 32) >> 6), {}};
      for (unsigned r = 0; r < b.rows; ++r)
        g.coverage.insert(g.coverage.end(), b.buffer + r * b.pitch, b.buffer + r * b.pitch + b.width);
    }
  }
  ~cached_freetype() {
    if (face_) FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  bool ok() const { return face_ != nullptr; }

  void draw(uint32_t* pixels, int x, int baseline, const wchar_t* text, uint32_t colour) {
    for (; *text; ++text) {
      const glyph& g = glyphs_[size_t(*text) & 0xFF];
      const uint32_t sa = colour >> 24;
      for (int r = 0; r < g.rows; ++r) {
        const int y = baseline - g.top + r;
        if (y < 0 || y >= kHeight) continue;
        uint32_t* row = pixels + size_t(y) * kWidth;
        for (int c = 0; c < g.width; ++c) {
          const int px = x + g.left + c;
          const uint32_t cover = g.coverage[size_t(r) * g.width + c];
          if (cover == 0 || px < 0 || px >= kWidth) continue;
          const uint32_t a = (sa * cover + 127) / 255, d = row[px];
          uint32_t out = 0xFF000000;
          for (int shift = 0; shift < 24; shift += 8)
            out |= ((((d >> shift) & 0xFF) * (255 - a) + ((colour >> shift) & 0xFF) * a + 127) / 255) << shift;
          row[px] = out;
        }
      }
      x += g.advance;
    }
  }

 private:
  struct glyph {
    int left = 0, top = 0, width = 0, rows = 0, advance = 0;
    std::vector<uint8_t> coverage;
  };
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  glyph glyphs_[256];
};

void FreetypeCachedGlyphs(benchmark::State& state) {
  cached_freetype freetype;
  if (!freetype.ok()) return state.SkipWithError("DejaVu Sans is not installed");
  on_text_image(state, [&](frond::IMAGE* img) { freetype.draw(img->pixels, 100, 100 + 19, kLine, 0xFFF0E0D0); });
}

BENCHMARK(FrondOuttextxyGdiplus)->Unit(benchmark::kMicrosecond);
BENCHMARK(FrondOuttextxyGdi)->Unit(benchmark::kMicrosecond);
BENCHMARK(FreetypeCachedGlyphs)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
