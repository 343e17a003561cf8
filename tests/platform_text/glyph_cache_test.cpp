// GdipDrawString through the glyph cache (filled at another place, then here)
// against the text rasterised whole: random strings, faces, sizes, styles,
// positions far out, colours, clips, rotations and compositing modes.
// Depends on: seeded.h, text_test_util.h (the test DIB), the glyph cache seam.
#include "platform/gdiplus_text.h"
#include "platform/test_seams.h"
#include "platform_text/text_test_util.h"
#include "support/seeded.h"

using namespace Gdiplus;
using seeded::between;

namespace {

// The pixels of `text` drawn as the generator seeded with `seed` chooses, moved by `shift` whole pixels.
std::vector<uint32_t> drawn(uint32_t seed, const std::wstring& text, bool cache, int shift = 0) {
  platform_test::use_glyph_cache(cache);
  std::mt19937 rng(seed);
  gdi_test::TestDib dib(160, 90);
  uint32_t* const pixels = reinterpret_cast<uint32_t*>(dib.bits);
  std::generate(pixels, pixels + 160 * 90, [&] { return seeded::biased_word(rng); });
  const wchar_t* faces[] = {L"DejaVu Sans", L"DejaVu Serif", L"SimSun"};
  LOGFONTW record = text_test::logfont(rng() % 2 ? -20 : -between(rng, 3, 70), faces[rng() % 3]);
  record.lfItalic = rng() % 3 == 0, record.lfUnderline = rng() % 4 == 0, record.lfStrikeOut = rng() % 4 == 0;
  GpGraphics* graphics = nullptr;
  GpFont* font = nullptr;
  GpSolidFill* brush = nullptr;
  GdipCreateFromHDC(dib.dc, &graphics), GdipCreateFontFromLogfontW(dib.dc, &record, &font);
  GdipCreateSolidFill(seeded::biased_word(rng), &brush);
  if (rng() % 2)
    GdipSetClipRectI(graphics, between(rng, -20, 150), between(rng, -20, 80), between(rng, 0, 160), between(rng, 0, 90),
                     CombineModeReplace);
  if (rng() % 5 == 0) GdipRotateWorldTransform(graphics, REAL(between(rng, -45, 45)), MatrixOrderAppend);
  if (rng() % 4 == 0) GdipSetCompositingMode(graphics, CompositingModeSourceCopy);
  const REAL far = REAL(std::pow(10.0, between(rng, 0, 5)));  // world coordinates far out, moved back
  GdipTranslateWorldTransform(graphics, -far, -far, MatrixOrderPrepend);
  const GpRectF origin{far + shift + between(rng, -300, 1500) / 10.0f, far + shift / 2 + between(rng, -200, 800) / 10.0f,
                       0, 0};
  EXPECT_EQ(GdipDrawString(graphics, text.c_str(), -1, font, &origin, nullptr, reinterpret_cast<GpBrush*>(brush)), Ok);
  GdipDeleteBrush(reinterpret_cast<GpBrush*>(brush)), GdipDeleteFont(font), GdipDeleteGraphics(graphics);
  return std::vector<uint32_t>(pixels, pixels + 160 * 90);
}

TEST(GlyphCacheTest, CachedTextIsTheTextRasterisedWhole) {
  seeded::iterations(300, [](std::mt19937& rng, int) {
    std::wstring text(size_t(between(rng, 0, 24)), L' ');  // glyphs met again, at other offsets and places
    for (wchar_t& c : text) c = rng() % 2 ? L"oWg|\u00e9\u4e2d\n"[rng() % 7] : wchar_t(between(rng, 32, 126));
    const uint32_t seed = rng();
    const std::vector<uint32_t> whole = drawn(seed, text, false);
    drawn(seed, text, true, between(rng, -40, 40));
    EXPECT_TRUE(drawn(seed, text, true) == whole) << "cached elsewhere first";
    EXPECT_TRUE(drawn(seed, text, true) == whole) << "cached here";
  });
  platform_test::use_glyph_cache(true);
}

}  // namespace
