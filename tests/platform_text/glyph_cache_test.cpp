// GdipDrawString through the glyph cache, cold and warm, against the same
// text rasterised whole: random strings, faces, sizes, styles, positions (far
// from the origin too), colours, clips, rotations and compositing modes.
// Depends on: seeded.h, text_test_util.h (the test DIB), the glyph cache seam.
#include "platform/gdiplus_text.h"
#include "platform/test_seams.h"
#include "platform_text/text_test_util.h"
#include "support/seeded.h"

using namespace Gdiplus;

namespace {

// The pixels of `text` drawn as the generator seeded with `seed` chooses, moved by `shift` whole pixels.
std::vector<uint32_t> drawn(uint32_t seed, const std::wstring& text, bool cache, int shift = 0) {
  platform_test::use_glyph_cache(cache);
  std::mt19937 rng(seed);
  gdi_test::TestDib dib(160, 90);
  for (int y = 0; y < dib.h; ++y)
    for (int x = 0; x < dib.w; ++x) dib.set(x, y, seeded::biased_word(rng));
  const wchar_t* faces[] = {L"DejaVu Sans", L"DejaVu Serif", L"SimSun"};
  LOGFONTW record = text_test::logfont(rng() % 2 ? -20 : -seeded::between(rng, 3, 70), faces[rng() % 3]);
  record.lfItalic = rng() % 3 == 0, record.lfUnderline = rng() % 4 == 0, record.lfStrikeOut = rng() % 4 == 0;
  GpGraphics* graphics = nullptr;
  GpFont* font = nullptr;
  GpSolidFill* brush = nullptr;
  EXPECT_EQ(GdipCreateFromHDC(dib.dc, &graphics), Ok);
  EXPECT_EQ(GdipCreateFontFromLogfontW(dib.dc, &record, &font), Ok);
  EXPECT_EQ(GdipCreateSolidFill(seeded::biased_word(rng), &brush), Ok);
  if (rng() % 2) GdipSetClipRectI(graphics, seeded::between(rng, -20, 150), seeded::between(rng, -20, 80), seeded::between(rng, 0, 160), seeded::between(rng, 0, 90), CombineModeReplace);
  if (rng() % 5 == 0) GdipRotateWorldTransform(graphics, REAL(seeded::between(rng, -45, 45)), MatrixOrderAppend);
  if (rng() % 4 == 0) GdipSetCompositingMode(graphics, CompositingModeSourceCopy);
  const REAL far = REAL(std::pow(10.0, seeded::between(rng, 0, 5)));  // world coordinates far out, moved back
  GdipTranslateWorldTransform(graphics, -far, -far, MatrixOrderPrepend);
  const GpRectF origin{far + shift + seeded::between(rng, -300, 1500) / 10.0f,
                       far + shift / 2 + seeded::between(rng, -200, 800) / 10.0f, 0, 0};
  EXPECT_EQ(GdipDrawString(graphics, text.c_str(), -1, font, &origin, nullptr, reinterpret_cast<GpBrush*>(brush)), Ok);
  GdipDeleteBrush(reinterpret_cast<GpBrush*>(brush));
  GdipDeleteFont(font);
  GdipDeleteGraphics(graphics);
  std::vector<uint32_t> pixels;
  for (int y = 0; y < dib.h; ++y)
    for (int x = 0; x < dib.w; ++x) pixels.push_back(dib.get(x, y));
  return pixels;
}

TEST(GlyphCacheTest, CachedTextIsTheTextRasterisedWhole) {
  seeded::iterations(300, [](std::mt19937& rng, int) {
    std::wstring text(size_t(seeded::between(rng, 0, 24)), L' ');
    // Glyphs met again, at other sub-pixel offsets and in other places.
    for (wchar_t& c : text) c = rng() % 2 ? L"oWg|\u00e9\u4e2d\n"[rng() % 7] : wchar_t(seeded::between(rng, 32, 126));
    const uint32_t seed = rng();
    const std::vector<uint32_t> whole = drawn(seed, text, false);
    drawn(seed, text, true, seeded::between(rng, -40, 40));  // the same glyphs cached elsewhere first
    EXPECT_TRUE(drawn(seed, text, true) == whole) << "cold";
    EXPECT_TRUE(drawn(seed, text, true) == whole) << "warm";
  });
  platform_test::use_glyph_cache(true);
}

}  // namespace
