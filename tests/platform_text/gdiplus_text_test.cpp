// GDI+ text: fonts from GDI records and DCs, the shared typographic string
// format and its clones, and GdipDrawString's placement, alignment, lines,
// colour, single-bit hint and clip.
// Depends on: draw_test_support.h (the canvas under a graphics), text_test_util.h.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/gdiplus_text.h"
#include "platform_gdiplus_draw/draw_test_support.h"
#include "platform_text/text_test_util.h"

using namespace Gdiplus;
using draw_test::kBlack;
using draw_test::kWhite;
using gdi_test::changed_box;
using gdi_test::edges;
using text_test::logfont;

namespace {

// A 240x100 white canvas under a graphics (pixel offset as by default), a
// 20-pixel-em font, a black brush and a clone of the typographic format.
class GdiplusTextTest : public draw_test::DrawTest {
 protected:
  void SetUp() override {
    make_canvas(240, 100);
    ASSERT_EQ(GdipSetPixelOffsetMode(graphics_, PixelOffsetModeDefault), Ok);
    const LOGFONTW record = logfont(-20);
    ASSERT_EQ(GdipCreateFontFromLogfontW(dc_, &record, &font), Ok);
    GpStringFormat* shared = nullptr;
    ASSERT_EQ(GdipStringFormatGetGenericTypographic(&shared), Ok);
    ASSERT_EQ(GdipCloneStringFormat(shared, &format), Ok);
    black = brush(kBlack);
  }
  void TearDown() override {
    GdipDeleteStringFormat(format);
    GdipDeleteFont(font);
    DrawTest::TearDown();
  }
  // The ink of `text` drawn with its layout origin at (x, y) and `align`.
  RECT ink(const wchar_t* text, REAL x, REAL y, StringAlignment align = StringAlignmentNear) {
    fill_all(kWhite);
    EXPECT_EQ(GdipSetStringFormatAlign(format, align), Ok);
    const GpRectF origin{x, y, 0, 0};
    EXPECT_EQ(GdipDrawString(graphics_, text, -1, font, &origin, format, black), Ok);
    return changed_box(*dib_, kWhite);
  }

  GpFont* font = nullptr;
  GpStringFormat* format = nullptr;
  GpBrush* black = nullptr;
};

// A negative height is the em, a positive one the cell (DejaVu's is about
// 1.16 em); a font from a DC takes the DC's font.
TEST_F(GdiplusTextTest, FontsTakeTheEmHeightOfTheirRecord) {
  Unit unit = UnitWorld;
  ASSERT_EQ(GdipGetFontUnit(font, &unit), Ok);
  EXPECT_EQ(unit, UnitPixel);
  const auto size_of = [](GpFont* made) {  // and deletes it
    REAL size = 0;
    EXPECT_EQ(GdipGetFontSize(made, &size), Ok);
    EXPECT_EQ(GdipDeleteFont(made), Ok);
    return size;
  };
  GpFont* other = nullptr;
  const LOGFONTW record = logfont(24);
  ASSERT_EQ(GdipCreateFontFromLogfontW(dc_, &record, &other), Ok);
  EXPECT_NEAR(size_of(other), 20.5f, 1.5f);
  text_test::SelectedFont selected(dc_, logfont(-30));
  ASSERT_EQ(GdipCreateFontFromDC(dc_, &other), Ok);
  EXPECT_EQ(size_of(other), 30.0f);
  LOGFONTA narrow{};
  narrow.lfHeight = -13;
  ASSERT_EQ(GdipCreateFontFromLogfontA(dc_, &narrow, &other), Ok);
  EXPECT_EQ(size_of(other), 13.0f);
  EXPECT_EQ(GdipCreateFontFromDC(nullptr, &other), InvalidParameter);
  EXPECT_EQ(GdipCreateFontFromLogfontW(dc_, nullptr, &other), InvalidParameter);
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
  fill_all(kWhite);
  const GpRectF origin{10, 10, 0, 0};
  ASSERT_EQ(GdipDrawString(graphics_, L"Ag\nAg", 2, font, &origin, format, black), Ok);
  EXPECT_EQ(edges(changed_box(*dib_, kWhite)), edges(one));
}

TEST_F(GdiplusTextTest, TranslucentBrushesBlendAndSingleBitTextIsAliased) {
  const GpRectF origin{10, 10, 0, 0};
  ASSERT_EQ(GdipDrawString(graphics_, L"I", -1, font, &origin, format, brush(0x80FF0000)), Ok);
  const std::vector<uint32_t> pixels = snapshot();
  const uint32_t darkest = *std::min_element(pixels.begin(), pixels.end());  // red stands: green decides
  EXPECT_NEAR(draw_test::green(darkest), 127, 2);  // green of red at half alpha over white

  ASSERT_EQ(GdipSetTextRenderingHint(graphics_, TextRenderingHintSingleBitPerPixelGridFit), Ok);
  ink(L"Aliased", 10, 10);
  for (uint32_t p : snapshot()) EXPECT_TRUE(p == kWhite || p == 0xFF000000u);
}

TEST_F(GdiplusTextTest, TheClipAndTheWorldTransformApply) {
  ASSERT_EQ(GdipSetClipRectI(graphics_, 0, 0, 15, 100, CombineModeReplace), Ok);
  EXPECT_LE(ink(L"Clipped text", 10, 10).right, 15);
  ASSERT_EQ(GdipResetClip(graphics_), Ok);
  const RECT plain = ink(L"Moved", 10, 10);
  ASSERT_EQ(GdipTranslateWorldTransform(graphics_, 50, 30, MatrixOrderPrepend), Ok);
  const RECT moved = ink(L"Moved", 10, 10);
  EXPECT_EQ(edges(moved), edges(RECT{plain.left + 50, plain.top + 30, plain.right + 50, plain.bottom + 30}));
}

TEST_F(GdiplusTextTest, BadArguments) {
  const GpRectF origin{0, 0, 0, 0};
  EXPECT_EQ(GdipDrawString(nullptr, L"a", -1, font, &origin, format, black), InvalidParameter);
  EXPECT_EQ(GdipDrawString(graphics_, nullptr, -1, font, &origin, format, black), InvalidParameter);
  EXPECT_EQ(GdipDrawString(graphics_, L"a", -2, font, &origin, format, black), InvalidParameter);
  EXPECT_EQ(GdipDrawString(graphics_, L"a", -1, nullptr, &origin, format, black), InvalidParameter);
  EXPECT_EQ(GdipDrawString(graphics_, L"a", -1, font, nullptr, format, black), InvalidParameter);
  EXPECT_EQ(GdipDrawString(graphics_, L"a", -1, font, &origin, nullptr, black), Ok);
  EXPECT_EQ(GdipDrawString(graphics_, L"", -1, font, &origin, format, black), Ok);
}

}  // namespace
