// TextOutW/A: the opaque cell, the alignment flags and the current position,
// viewport origin and clipping, alpha 0 in every touched pixel, rotated and
// underlined text, extents and text metrics.
// Depends on: text_test_util.h (a test DIB and its DC).
#include <gtest/gtest.h>

#include "platform_text/text_test_util.h"

using gdi_test::TestDib;
using text_test::changed_box;
using text_test::edges;
using text_test::extent;
using text_test::logfont;
using text_test::SelectedFont;

namespace {

constexpr uint32_t kPaper = 0xFF123456;
constexpr COLORREF kBack = RGB(0, 0, 255);  // drawing word 0x000000FF

class TextOutTest : public ::testing::Test {
 protected:
  TextOutTest() : dib(200, 120), font(dib.dc, logfont(16)) {
    dib.fill(kPaper);
    SetBkColor(dib.dc, kBack);
    SetTextColor(dib.dc, RGB(255, 255, 255));
  }
  // The cell of `text` drawn in OPAQUE mode with `align` at (x, y).
  RECT cell(UINT align, int x, int y, const wchar_t* text = L"Hello") {
    dib.fill(kPaper);
    SetTextAlign(dib.dc, align);
    EXPECT_TRUE(TextOutW(dib.dc, x, y, text, static_cast<int>(wcslen(text))));
    return changed_box(dib, kPaper);
  }

  TestDib dib;
  SelectedFont font;
};

// OPAQUE fills the whole cell with the background, TRANSPARENT touches only
// glyph pixels; either way every touched pixel gets alpha 0.
TEST_F(TextOutTest, OpaqueModeFillsTheCellTransparentModeOnlyGlyphsAlphaZero) {
  const SIZE s = extent(dib.dc, L"Hello");
  for (int mode : {OPAQUE, TRANSPARENT}) {
    SCOPED_TRACE(mode);
    SetBkMode(dib.dc, mode);
    const RECT box = cell(TA_LEFT | TA_TOP, 10, 20);
    const RECT full{10, 20, 10 + s.cx, 36};
    EXPECT_EQ(edges(box) == edges(full), mode == OPAQUE);
    EXPECT_TRUE(box.left >= 10 && box.top >= 20 && box.right <= 10 + s.cx && box.bottom <= 36);
    int background = 0, text = 0;
    for (uint32_t p : dib.pixels()) {
      EXPECT_TRUE(p == kPaper || (p >> 24) == 0);
      background += p == 0x000000FFu;
      text += p == 0x00FFFFFFu;
    }
    EXPECT_EQ(background > 0, mode == OPAQUE);
    EXPECT_GT(text, 0);
  }
}

TEST_F(TextOutTest, AlignmentPlacesTheReferencePoint) {
  const SIZE s = extent(dib.dc, L"Hello");
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(dib.dc, &tm));
  EXPECT_EQ(edges(cell(TA_RIGHT | TA_BOTTOM, 100, 50)), edges(RECT{100 - s.cx, 34, 100, 50}));
  EXPECT_EQ(edges(cell(TA_CENTER | TA_TOP, 100, 50)), edges(RECT{100 - s.cx / 2, 50, 100 - s.cx / 2 + s.cx, 66}));
  EXPECT_EQ(edges(cell(TA_LEFT | TA_BASELINE, 100, 50)), edges(RECT{100, 50 - tm.tmAscent, 100 + s.cx, 66 - tm.tmAscent}));
}

TEST_F(TextOutTest, UpdateCpMovesTheCurrentPosition) {
  const SIZE s = extent(dib.dc, L"Hello");
  POINT p{};
  MoveToEx(dib.dc, 60, 30, nullptr);
  EXPECT_EQ(edges(cell(TA_UPDATECP | TA_LEFT, 0, 0)), edges(RECT{60, 30, 60 + s.cx, 46}));
  GetCurrentPositionEx(dib.dc, &p);
  EXPECT_EQ(p.x, 60 + s.cx);
  EXPECT_EQ(p.y, 30);
  MoveToEx(dib.dc, 160, 30, nullptr);
  EXPECT_EQ(edges(cell(TA_UPDATECP | TA_RIGHT, 0, 0)), edges(RECT{160 - s.cx, 30, 160, 46}));

  cell(TA_UPDATECP | TA_CENTER, 0, 0);
  GetCurrentPositionEx(dib.dc, &p);
  EXPECT_EQ(p.x, 160 - s.cx);
}

TEST_F(TextOutTest, ViewportOriginAndClipApply) {
  const SIZE s = extent(dib.dc, L"Hello");
  SetViewportOrgEx(dib.dc, 30, 40, nullptr);
  EXPECT_EQ(edges(cell(TA_LEFT | TA_TOP, 5, 6)), edges(RECT{35, 46, 35 + s.cx, 62}));
  IntersectClipRect(dib.dc, 8, 0, 12, 10);  // logical: device columns 38..41, rows 40..49
  EXPECT_EQ(edges(cell(TA_LEFT | TA_TOP, 5, 6)), edges(RECT{38, 46, 42, 50}));
}

TEST_F(TextOutTest, TextNeverLeavesTheSurface) {
  for (const POINT at : {POINT{-30, -10}, POINT{190, 110}, POINT{INT32_MAX, 5}, POINT{5, INT32_MIN}}) {
    const RECT box = cell(TA_LEFT | TA_TOP, at.x, at.y, L"Hello, world");
    EXPECT_GE(box.left, 0);
    EXPECT_LE(box.right, dib.w);
  }
  SetViewportOrgEx(dib.dc, INT32_MAX, INT32_MAX, nullptr);
  EXPECT_EQ(edges(cell(TA_LEFT | TA_TOP, INT32_MAX, INT32_MAX)), edges(RECT{0, 0, 0, 0}));
}

TEST_F(TextOutTest, TwentyFourBitSurfaces) {
  TestDib rgb(60, 30, 24);
  rgb.fill(0x00123456);
  SelectedFont f(rgb.dc, logfont(16));
  SetBkColor(rgb.dc, kBack);
  ASSERT_TRUE(TextOutW(rgb.dc, 50, 20, L"Hello", 5));
  EXPECT_EQ(edges(changed_box(rgb, 0x00123456)), edges(RECT{50, 20, 60, 30}));
}

TEST_F(TextOutTest, AnsiTextDrawsLikeWideText) {
  cell(TA_LEFT | TA_TOP, 10, 10, L"Gr\u00fc\u00dfe");
  const std::vector<uint32_t> wide = dib.pixels();
  dib.fill(kPaper);
  ASSERT_TRUE(TextOutA(dib.dc, 10, 10, "Gr\xc3\xbc\xc3\x9f" "e", 7));
  EXPECT_EQ(dib.pixels(), wide);
  EXPECT_FALSE(TextOutA(dib.dc, 0, 0, nullptr, 3));
  EXPECT_FALSE(TextOutW(dib.dc, 0, 0, L"x", -1));
  EXPECT_TRUE(TextOutW(dib.dc, 0, 0, nullptr, 0));
}

TEST_F(TextOutTest, RotatedTextTurnsItsCell) {
  SelectedFont turned(dib.dc, logfont(16, L"SimSun", 0, 900));
  const SIZE s = extent(dib.dc, L"Hello");
  // Going up from (50, 100), the tops of the letters facing left.
  EXPECT_EQ(edges(cell(TA_LEFT | TA_TOP, 50, 100)), edges(RECT{50, 100 - s.cx, 66, 100}));
  POINT p{};
  MoveToEx(dib.dc, 50, 100, nullptr);
  cell(TA_UPDATECP, 0, 0);
  GetCurrentPositionEx(dib.dc, &p);
  EXPECT_EQ(p.y, 100 - s.cx);  // the position moves along the turned baseline
}

TEST_F(TextOutTest, UnderlineRunsTheWholeWidth) {
  LOGFONTW f = logfont(16);
  f.lfUnderline = 1;
  SelectedFont underlined(dib.dc, f);
  SetBkMode(dib.dc, TRANSPARENT);
  const SIZE s = extent(dib.dc, L"a b");
  cell(TA_LEFT | TA_TOP, 10, 10, L"a b");
  int full_rows = 0;
  for (int y = 10; y < 26; ++y) {
    bool full = true;
    for (int x = 10; x < 10 + s.cx; ++x) full &= dib.get(x, y) == 0x00FFFFFFu;
    full_rows += full;
  }
  EXPECT_GE(full_rows, 1);
}

TEST(TextExtent, SumsAdvancesAndReportsTheCellHeight) {
  TestDib dib(8, 8);
  SelectedFont f(dib.dc, logfont(24));
  SIZE s{-1, -1};
  ASSERT_TRUE(GetTextExtentPoint32W(dib.dc, nullptr, 0, &s));
  EXPECT_EQ(s.cx, 0);
  EXPECT_EQ(s.cy, 24);
  EXPECT_FALSE(GetTextExtentPoint32W(dib.dc, nullptr, 1, &s));
  EXPECT_FALSE(GetTextExtentPoint32W(nullptr, L"a", 1, &s));
  ASSERT_TRUE(GetTextExtentPoint32A(dib.dc, "ab", 2, &s));
  EXPECT_EQ(s.cx, extent(dib.dc, L"ab").cx);
  EXPECT_EQ(extent(dib.dc, L"ab").cx, extent(dib.dc, L"a").cx + extent(dib.dc, L"b").cx);
  EXPECT_EQ(extent(dib.dc, L"iiii").cx, extent(dib.dc, L"MMMM").cx);  // fixed pitch
}

TEST(TextMetrics, DescribeTheSelectedFont) {
  TestDib dib(8, 8);
  LOGFONTW f = logfont(24, L"SimSun", 10);
  f.lfWeight = FW_BOLD;
  f.lfItalic = 1;
  SelectedFont selected(dib.dc, f);
  TEXTMETRICW w{};
  ASSERT_TRUE(GetTextMetricsW(dib.dc, &w));
  EXPECT_EQ(w.tmHeight, 24);
  EXPECT_EQ(w.tmAscent + w.tmDescent, 24);
  EXPECT_EQ(w.tmAveCharWidth, 10);
  EXPECT_EQ(w.tmWeight, FW_BOLD);
  EXPECT_NE(w.tmItalic, 0);
  EXPECT_EQ(w.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);  // clear: fixed pitch
  EXPECT_EQ(w.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR), TMPF_TRUETYPE | TMPF_VECTOR);
  EXPECT_FALSE(GetTextMetricsW(dib.dc, nullptr));
}

TEST(TextMetrics, NewDcsUseTheBoldSystemFont) {
  TestDib dib(8, 8);
  TEXTMETRICW w{};
  ASSERT_TRUE(GetTextMetricsW(dib.dc, &w));
  EXPECT_EQ(w.tmHeight, 16);
  EXPECT_EQ(w.tmWeight, FW_BOLD);
  EXPECT_EQ(GetTextAlign(dib.dc), UINT{TA_LEFT | TA_TOP});
  EXPECT_EQ(SetTextAlign(nullptr, TA_RIGHT), GDI_ERROR);
}

}  // namespace
