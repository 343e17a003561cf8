// DrawTextW/A: line breaks, word wrapping with and without DT_EDITCONTROL,
// tabs, prefixes, the rectangle DT_CALCRECT computes, horizontal and
// vertical placement, clipping, and the partly visible last line.
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

class DrawTextTest : public ::testing::Test {
 protected:
  DrawTextTest() : dib(200, 120), font(dib.dc, logfont(16)) {
    dib.fill(kPaper);
    SetBkColor(dib.dc, RGB(0, 0, 255));
    char_width = extent(dib.dc, L"m").cx;
  }
  // The rectangle DT_CALCRECT gives for `text` in a box `width` wide at (10, 20), and the height returned.
  RECT calc(const wchar_t* text, int width, UINT format, int* height = nullptr) {
    RECT r{10, 20, 10 + width, 30};
    const int h = DrawTextW(dib.dc, text, -1, &r, format | DT_CALCRECT);
    if (height) *height = h;
    EXPECT_EQ(dib.pixels(), std::vector<uint32_t>(size_t(dib.w) * dib.h, kPaper));  // measuring draws nothing
    return r;
  }
  RECT drawn(const wchar_t* text, RECT box, UINT format) {
    dib.fill(kPaper);
    DrawTextW(dib.dc, text, -1, &box, format);
    return changed_box(dib, kPaper);
  }

  TestDib dib;
  SelectedFont font;
  int char_width = 0;
};

TEST_F(DrawTextTest, SingleLineRectBoundsTheText) {
  int h = 0;
  const RECT r = calc(L"Hello", 10, DT_SINGLELINE, &h);
  EXPECT_EQ(edges(r), edges(RECT{10, 20, 10 + 5 * char_width, 36}));
  EXPECT_EQ(h, 16);
  EXPECT_EQ(edges(calc(L"", 50, 0, &h)), edges(RECT{10, 20, 10, 20}));
  EXPECT_EQ(h, 0);
}

TEST_F(DrawTextTest, LinesEndAtEveryKindOfLineBreak) {
  int h = 0;
  calc(L"ab\ncd\r\nef\rgh", 100, 0, &h);
  EXPECT_EQ(h, 64);
  calc(L"ab\n", 100, 0, &h);
  EXPECT_EQ(h, 32);  // the empty last line counts
  calc(L"ab\ncd", 100, DT_SINGLELINE, &h);
  EXPECT_EQ(h, 16);
}

TEST_F(DrawTextTest, WordBreakWrapsBetweenWordsAndDropsTheSpaces) {
  int h = 0;
  // "aaa bbb" fits in 7 characters; "ccc" goes to the next line.
  const RECT r = calc(L"aaa bbb ccc", 7 * char_width, DT_WORDBREAK, &h);
  EXPECT_EQ(h, 32);
  EXPECT_EQ(edges(r), edges(RECT{10, 20, 10 + 7 * char_width, 52}));
  calc(L"aaa    bbb", 5 * char_width, DT_WORDBREAK, &h);
  EXPECT_EQ(h, 32);
  calc(L"aaa bbb", 3 * char_width, DT_WORDBREAK, &h);
  EXPECT_EQ(h, 32);
}

TEST_F(DrawTextTest, LongWordsBreakOnlyInEditControls) {
  int h = 0;
  RECT r = calc(L"abcdefghij xy", 4 * char_width, DT_WORDBREAK, &h);
  EXPECT_EQ(h, 32);
  EXPECT_EQ(r.right, 10 + 10 * char_width);  // widened to the longest word
  r = calc(L"abcdefghij xy", 4 * char_width, DT_WORDBREAK | DT_EDITCONTROL, &h);
  EXPECT_EQ(h, 64);  // abcd / efgh / ij / xy
  EXPECT_EQ(edges(r), edges(RECT{10, 20, 10 + 4 * char_width, 84}));
}

TEST_F(DrawTextTest, TabsExpandToEightCharacterStops) {
  TEXTMETRICW tm{};
  GetTextMetricsW(dib.dc, &tm);
  EXPECT_EQ(calc(L"a\tb", 10, DT_SINGLELINE | DT_EXPANDTABS).right, 10 + 8 * tm.tmAveCharWidth + char_width);
  EXPECT_EQ(calc(L"abcdefghi\tb", 10, DT_SINGLELINE | DT_EXPANDTABS).right, 10 + 16 * tm.tmAveCharWidth + char_width);
  EXPECT_EQ(calc(L"a\tb", 10, DT_SINGLELINE).right, 10 + 3 * char_width);  // a glyph like any other
}

TEST_F(DrawTextTest, PrefixesUnderlineUnlessNoPrefix) {
  EXPECT_EQ(calc(L"&File", 10, DT_SINGLELINE).right, 10 + 4 * char_width);
  EXPECT_EQ(calc(L"a&&b", 10, DT_SINGLELINE).right, 10 + 3 * char_width);
  EXPECT_EQ(calc(L"&File", 10, DT_SINGLELINE | DT_NOPREFIX).right, 10 + 5 * char_width);
  // The marked letter gains an underline below the baseline; nothing else changes.
  SetBkMode(dib.dc, TRANSPARENT);
  TEXTMETRICW tm{};
  GetTextMetricsW(dib.dc, &tm);
  drawn(L"File", RECT{0, 0, 100, 20}, DT_SINGLELINE);
  const std::vector<uint32_t> plain = dib.pixels();
  drawn(L"&File", RECT{0, 0, 100, 20}, DT_SINGLELINE);
  int differing = 0;
  for (int y = 0; y < dib.h; ++y)
    for (int x = 0; x < dib.w; ++x)
      if (dib.get(x, y) != plain[size_t(y) * dib.w + x]) {
        ++differing;
        EXPECT_LT(x, char_width);
        EXPECT_GE(y, tm.tmAscent);
      }
  EXPECT_GT(differing, 0);
}

TEST_F(DrawTextTest, HorizontalAndVerticalPlacement) {
  const int w = 5 * char_width;
  EXPECT_EQ(edges(drawn(L"Hello", RECT{10, 10, 110, 60}, DT_SINGLELINE)), edges(RECT{10, 10, 10 + w, 26}));
  EXPECT_EQ(edges(drawn(L"Hello", RECT{10, 10, 110, 60}, DT_SINGLELINE | DT_CENTER)),
            edges(RECT{10 + (100 - w) / 2, 10, 10 + (100 - w) / 2 + w, 26}));
  EXPECT_EQ(edges(drawn(L"Hello", RECT{10, 10, 110, 60}, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM)),
            edges(RECT{110 - w, 44, 110, 60}));
  EXPECT_EQ(edges(drawn(L"Hello", RECT{10, 10, 110, 61}, DT_SINGLELINE | DT_VCENTER)),
            edges(RECT{10, 27, 10 + w, 43}));
  RECT box{10, 10, 110, 61};
  EXPECT_EQ(DrawTextW(dib.dc, L"Hello", -1, &box, DT_SINGLELINE | DT_VCENTER), 33);
  EXPECT_EQ(DrawTextW(dib.dc, L"Hello", -1, &box, DT_SINGLELINE | DT_BOTTOM), 51);
}

TEST_F(DrawTextTest, ClipsToTheRectangleUnlessNoClip) {
  EXPECT_EQ(edges(drawn(L"Hello, world", RECT{10, 10, 40, 20}, DT_SINGLELINE)), edges(RECT{10, 10, 40, 20}));
  const RECT free = drawn(L"Hello, world", RECT{10, 10, 40, 20}, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_EQ(edges(free), edges(RECT{10, 10, 10 + 12 * char_width, 26}));
}

TEST_F(DrawTextTest, EditControlsHideAPartlyVisibleLastLine) {
  const RECT box{0, 0, 4 * char_width, 40};  // room for two whole lines and half a third
  const UINT wrap = DT_WORDBREAK | DT_EDITCONTROL;
  EXPECT_EQ(edges(drawn(L"aaaa bbbb cccc", box, wrap)), edges(RECT{0, 0, 4 * char_width, 32}));
  EXPECT_EQ(edges(drawn(L"aaaa bbbb cccc", box, DT_WORDBREAK)), edges(RECT{0, 0, 4 * char_width, 40}));
  // The first line shows even when it does not fit.
  EXPECT_EQ(edges(drawn(L"aaaa", RECT{0, 0, 50, 10}, wrap)), edges(RECT{0, 0, 4 * char_width, 10}));
}

TEST_F(DrawTextTest, ViewportOriginMovesTheRectangle) {
  SetViewportOrgEx(dib.dc, 20, 30, nullptr);
  EXPECT_EQ(edges(drawn(L"Hi", RECT{0, 0, 100, 50}, DT_SINGLELINE)), edges(RECT{20, 30, 20 + 2 * char_width, 46}));
}

TEST_F(DrawTextTest, AnsiFormAndBadArguments) {
  RECT a{0, 0, 100, 100}, w{0, 0, 100, 100};
  EXPECT_EQ(DrawTextA(dib.dc, "ab cd", -1, &a, DT_CALCRECT), DrawTextW(dib.dc, L"ab cd", -1, &w, DT_CALCRECT));
  EXPECT_EQ(edges(a), edges(w));
  EXPECT_EQ(DrawTextW(dib.dc, L"abc", 2, &w, DT_CALCRECT | DT_SINGLELINE), 16);
  EXPECT_EQ(w.right, 2 * char_width);
  EXPECT_EQ(DrawTextW(dib.dc, nullptr, -1, &w, 0), 0);
  EXPECT_EQ(DrawTextW(dib.dc, L"abc", -2, &w, 0), 0);
  EXPECT_EQ(DrawTextW(dib.dc, L"abc", -1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextW(nullptr, L"abc", -1, &w, 0), 0);
}

}  // namespace
