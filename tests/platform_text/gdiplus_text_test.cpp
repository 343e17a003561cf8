// GDI+ text: fonts from GDI records and DCs, the shared typographic string
// format and its clones, and GdipDrawString's placement, alignment, lines,
// colour, single-bit hint and clip.
// Depends on: text_test_util.h (a test DIB and its DC).
#include <gtest/gtest.h>

#include "platform/gdiplus_text.h"
#include "platform_text/text_test_util.h"

using namespace Gdiplus;
using gdi_test::TestDib;
using gdi_test::changed_box;
using gdi_test::edges;
using text_test::logfont;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

class GdiplusTextTest : public ::testing::Test {
 protected:
  GdiplusTextTest() : dib(240, 100) {
    dib.fill(kWhite);
    EXPECT_EQ(GdipCreateFromHDC(dib.dc, &graphics), Ok);
    const LOGFONTW record = logfont(-20);
    EXPECT_EQ(GdipCreateFontFromLogfontW(dib.dc, &record, &font), Ok);
    EXPECT_EQ(GdipCreateSolidFill(0xFF000000, &black), Ok);
    GpStringFormat* shared = nullptr;
    EXPECT_EQ(GdipStringFormatGetGenericTypographic(&shared), Ok);
    EXPECT_EQ(GdipCloneStringFormat(shared, &format), Ok);
  }
  ~GdiplusTextTest() override {
    GdipDeleteStringFormat(format);
    GdipDeleteBrush(brush());
    GdipDeleteFont(font);
    GdipDeleteGraphics(graphics);
  }
  GpBrush* brush() { return reinterpret_cast<GpBrush*>(black); }
  // The ink of `text` drawn with its layout origin at (x, y) and `align`.
  RECT ink(const wchar_t* text, REAL x, REAL y, StringAlignment align = StringAlignmentNear) {
    dib.fill(kWhite);
    EXPECT_EQ(GdipSetStringFormatAlign(format, align), Ok);
    const GpRectF origin{x, y, 0, 0};
    EXPECT_EQ(GdipDrawString(graphics, text, -1, font, &origin, format, brush()), Ok);
    return changed_box(dib, kWhite);
  }

  TestDib dib;
  GpGraphics* graphics = nullptr;
  GpFont* font = nullptr;
  GpSolidFill* black = nullptr;
  GpStringFormat* format = nullptr;
};

// A negative height is the em, a positive one the cell (DejaVu's is about
// 1.16 em); a font from a DC takes the DC's font.
TEST_F(GdiplusTextTest, FontsTakeTheEmHeightOfTheirRecord) {
  REAL size = 0;
  Unit unit = UnitWorld;
  ASSERT_EQ(GdipGetFontSize(font, &size), Ok);
  ASSERT_EQ(GdipGetFontUnit(font, &unit), Ok);
  EXPECT_EQ(size, 20.0f);
  EXPECT_EQ(unit, UnitPixel);
  GpFont* other = nullptr;
  const LOGFONTW record = logfont(24);
  ASSERT_EQ(GdipCreateFontFromLogfontW(dib.dc, &record, &other), Ok);
  ASSERT_EQ(GdipGetFontSize(other, &size), Ok);
  EXPECT_NEAR(size, 20.5f, 1.5f);
  GdipDeleteFont(other);
  text_test::SelectedFont selected(dib.dc, logfont(-30));
  ASSERT_EQ(GdipCreateFontFromDC(dib.dc, &other), Ok);
  ASSERT_EQ(GdipGetFontSize(other, &size), Ok);
  EXPECT_EQ(size, 30.0f);
  GdipDeleteFont(other);
  LOGFONTA narrow{};
  narrow.lfHeight = -13;
  ASSERT_EQ(GdipCreateFontFromLogfontA(dib.dc, &narrow, &other), Ok);
  ASSERT_EQ(GdipGetFontSize(other, &size), Ok);
  EXPECT_EQ(size, 13.0f);
  GdipDeleteFont(other);
  EXPECT_EQ(GdipCreateFontFromDC(nullptr, &other), InvalidParameter);
  EXPECT_EQ(GdipCreateFontFromLogfontW(dib.dc, nullptr, &other), InvalidParameter);
  EXPECT_EQ(GdipDeleteFont(nullptr), InvalidParameter);
}

TEST_F(GdiplusTextTest, TheTypographicFormatIsSharedAndCloned) {
  GpStringFormat* a = nullptr;
  GpStringFormat* b = nullptr;
  ASSERT_EQ(GdipStringFormatGetGenericTypographic(&a), Ok);
  EXPECT_EQ(GdipDeleteStringFormat(a), Ok);  // stays alive
  ASSERT_EQ(GdipStringFormatGetGenericTypographic(&b), Ok);
  EXPECT_EQ(a, b);
  ASSERT_EQ(GdipSetStringFormatAlign(format, StringAlignmentCenter), Ok);  // the clone changes alone
  StringAlignment align = StringAlignmentFar;
  ASSERT_EQ(GdipGetStringFormatAlign(a, &align), Ok);
  EXPECT_EQ(align, StringAlignmentNear);
  EXPECT_EQ(GdipSetStringFormatAlign(format, static_cast<StringAlignment>(3)), InvalidParameter);
}

TEST_F(GdiplusTextTest, AlignmentPutsTheTextBesideOrAroundX) {
  const RECT near = ink(L"Text", 120, 20);
  const RECT centre = ink(L"Text", 120, 20, StringAlignmentCenter);
  const RECT far = ink(L"Text", 120, 20, StringAlignmentFar);
  EXPECT_NEAR(near.left, 120.5, 1.5);
  EXPECT_NEAR(far.right, 119.5, 1.5);
  EXPECT_NEAR((centre.left + centre.right) / 2.0, 120.0, 2.0);
  EXPECT_EQ(centre.right - centre.left, near.right - near.left);
  // Glyphs sit between the line's top and one cell height below it.
  EXPECT_GE(near.top, 20);
  EXPECT_LE(near.bottom, 20 + 24);
}

TEST_F(GdiplusTextTest, LinesFollowLineFeeds) {
  const RECT one = ink(L"Ag", 10, 10);
  const RECT two = ink(L"Ag\r\nAg", 10, 10);
  EXPECT_EQ(two.left, one.left);
  EXPECT_EQ(two.right, one.right);
  EXPECT_GT(two.bottom - one.bottom, 20);
  EXPECT_EQ(edges(ink(L"Ag\nAg", 10, 10)), edges(two));
  dib.fill(kWhite);
  const GpRectF origin{10, 10, 0, 0};
  ASSERT_EQ(GdipDrawString(graphics, L"Ag\nAg", 2, font, &origin, format, brush()), Ok);
  EXPECT_EQ(edges(changed_box(dib, kWhite)), edges(one));
}

TEST_F(GdiplusTextTest, TranslucentBrushesBlendAndSingleBitTextIsAliased) {
  GpSolidFill* pink = nullptr;
  ASSERT_EQ(GdipCreateSolidFill(0x80FF0000, &pink), Ok);
  const GpRectF origin{10, 10, 0, 0};
  ASSERT_EQ(GdipDrawString(graphics, L"I", -1, font, &origin, format, reinterpret_cast<GpBrush*>(pink)), Ok);
  uint32_t darkest = kWhite;
  for (int y = 0; y < dib.h; ++y)
    for (int x = 0; x < dib.w; ++x) darkest = std::min(darkest, dib.get(x, y) & 0xFF00u);
  EXPECT_NEAR(int(darkest >> 8), 127, 2);  // green of red at half alpha over white
  GdipDeleteBrush(reinterpret_cast<GpBrush*>(pink));

  ASSERT_EQ(GdipSetTextRenderingHint(graphics, TextRenderingHintSingleBitPerPixelGridFit), Ok);
  ink(L"Aliased", 10, 10);
  for (uint32_t p : dib.pixels()) EXPECT_TRUE(p == kWhite || p == 0xFF000000u);
}

TEST_F(GdiplusTextTest, TheClipAndTheWorldTransformApply) {
  ASSERT_EQ(GdipSetClipRectI(graphics, 0, 0, 15, 100, CombineModeReplace), Ok);
  EXPECT_LE(ink(L"Clipped text", 10, 10).right, 15);
  ASSERT_EQ(GdipResetClip(graphics), Ok);
  const RECT plain = ink(L"Moved", 10, 10);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics, 50, 30, MatrixOrderPrepend), Ok);
  const RECT moved = ink(L"Moved", 10, 10);
  EXPECT_EQ(edges(moved), edges(RECT{plain.left + 50, plain.top + 30, plain.right + 50, plain.bottom + 30}));
}

TEST_F(GdiplusTextTest, BadArguments) {
  const GpRectF origin{0, 0, 0, 0};
  EXPECT_EQ(GdipDrawString(nullptr, L"a", -1, font, &origin, format, brush()), InvalidParameter);
  EXPECT_EQ(GdipDrawString(graphics, nullptr, -1, font, &origin, format, brush()), InvalidParameter);
  EXPECT_EQ(GdipDrawString(graphics, L"a", -2, font, &origin, format, brush()), InvalidParameter);
  EXPECT_EQ(GdipDrawString(graphics, L"a", -1, nullptr, &origin, format, brush()), InvalidParameter);
  EXPECT_EQ(GdipDrawString(graphics, L"a", -1, font, nullptr, format, brush()), InvalidParameter);
  EXPECT_EQ(GdipDrawString(graphics, L"a", -1, font, &origin, nullptr, brush()), Ok);
  EXPECT_EQ(GdipDrawString(graphics, L"", -1, font, &origin, format, brush()), Ok);
}

}  // namespace
