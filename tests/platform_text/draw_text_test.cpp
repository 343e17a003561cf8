// DrawTextW/A: line breaks, word wrapping with and without DT_EDITCONTROL,
// tabs, prefixes, the rectangle DT_CALCRECT computes, horizontal and
// vertical placement, clipping, and the partly visible last line.
// Depends on: the GDI test DIB (gdi_test_util.h) and the SimSun stand-in font.
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

// What DT_CALCRECT measures: one row per case, widths in character cells of
// the fixed-pitch font; the box starts at (10, 20) and its bottom is 20 + height.
TEST_F(DrawTextTest, CalcRectMeasuresLinesWrapsTabsAndPrefixes) {
  const struct {
    const wchar_t* text;
    int width;  // of the box, in cells
    UINT format;
    int height;
    int right;  // in cells from the box's left; -1: not checked
  } rows[] = {
      {L"Hello", 1, DT_SINGLELINE, 16, 5},
      {L"", 4, 0, 0, 0},
      {L"ab\ncd\r\nef\rgh", 10, 0, 64, -1},  // every kind of line break
      {L"ab\n", 10, 0, 32, -1},                // the empty last line counts
      {L"ab\ncd", 10, DT_SINGLELINE, 16, -1},
      {L"aaa bbb ccc", 7, DT_WORDBREAK, 32, 7},  // wraps between words and drops the spaces
      {L"aaa    bbb", 5, DT_WORDBREAK, 32, -1},
      {L"aaa bbb", 3, DT_WORDBREAK, 32, -1},
      {L"abcdefghij xy", 4, DT_WORDBREAK, 32, 10},                  // widened to the longest word
      {L"abcdefghij xy", 4, DT_WORDBREAK | DT_EDITCONTROL, 64, 4},  // abcd / efgh / ij / xy
      {L"a\tb", 1, DT_SINGLELINE, 16, 3},                           // a tab without DT_EXPANDTABS: a glyph
      {L"&File", 1, DT_SINGLELINE, 16, 4},
      {L"a&&b", 1, DT_SINGLELINE, 16, 3},
      {L"&File", 1, DT_SINGLELINE | DT_NOPREFIX, 16, 5},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.text)) + " format " + std::to_string(row.format));
    int h = -1;
    const RECT r = calc(row.text, row.width * char_width, row.format, &h);
    EXPECT_EQ(h, row.height);
    EXPECT_EQ(r.bottom, 20 + row.height);
    if (row.right >= 0) {
      EXPECT_EQ(r.right, 10 + row.right * char_width);
    }
  }
  TEXTMETRICW tm{};
  GetTextMetricsW(dib.dc, &tm);  // tabs stop every eight average widths
  EXPECT_EQ(calc(L"a\tb", 10, DT_SINGLELINE | DT_EXPANDTABS).right, 10 + 8 * tm.tmAveCharWidth + char_width);
  EXPECT_EQ(calc(L"abcdefghi\tb", 10, DT_SINGLELINE | DT_EXPANDTABS).right, 10 + 16 * tm.tmAveCharWidth + char_width);
}

TEST_F(DrawTextTest, APrefixUnderlinesItsLetter) {
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
  RECT box{10, 10, 110, 61};  // the height returned counts from the rectangle's top
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

TEST_F(DrawTextTest, CountsAndBadArguments) {
  RECT w{0, 0, 100, 100};
  EXPECT_EQ(DrawTextW(dib.dc, L"abc", 2, &w, DT_CALCRECT | DT_SINGLELINE), 16);
  EXPECT_EQ(w.right, 2 * char_width);
  EXPECT_EQ(DrawTextW(dib.dc, L"abc", -2, &w, 0), 0);
  EXPECT_EQ(DrawTextW(dib.dc, L"abc", -1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextW(dib.dc, nullptr, -1, &w, 0), 0);
  EXPECT_EQ(DrawTextW(nullptr, L"abc", -1, &w, 0), 0);
}

}  // namespace
