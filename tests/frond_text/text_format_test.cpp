// Formatted text: xyprintf and rectprintf draw what outtextxy and outtextrect
// draw for the formatted text; wide formats read %s as wide text; results
// too long for their buffers are cut at a character boundary.
// Depends on: the graphics fixture.
#include <string>

#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;
using frond_test::pixels_of;

namespace {

class TextFormatTest : public GraphicsTest {
 protected:
  TextFormatTest() : image(200, 60) {}
  void SetUp() override {
    GraphicsTest::SetUp();
    settarget(&image);
  }

  // The pixels `draw` leaves on a fresh target.
  template <class Draw>
  std::vector<argb_color> after(Draw draw) { return frond_test::pixels_after(&image, 200, 60, 0xFF000000, draw); }

  IMAGE image;
};

TEST_F(TextFormatTest, XyprintfDrawsLikeOuttextxy) {
  const auto expected = after([] { outtextxy(10, 10, "42"); });
  EXPECT_NE(expected, after([] {}));
  EXPECT_EQ(after([] { xyprintf(10, 10, "%d", 42); }), expected);
  EXPECT_EQ(after([] { xyprintf(10, 10, L"%d", 42); }), expected);
  EXPECT_NE(after([] { xyprintf(10, 10, "%d", 43); }), expected);
}

TEST_F(TextFormatTest, WideFormatsReadPercentSAsWideText) {
  const auto expected = after([] { outtextxy(5, 5, L"name: \u00e9t\u00e9 / x"); });
  EXPECT_EQ(after([] { xyprintf(5, 5, L"%s: %ls / %c", L"name", L"\u00e9t\u00e9", L'x'); }), expected);
  EXPECT_EQ(after([] { xyprintf(5, 5, L"%hs: %s / %hc", "name", L"\u00e9t\u00e9", 'x'); }), expected);
  EXPECT_EQ(after([] { xyprintf(5, 5, L"%S: %s / %C", "name", L"\u00e9t\u00e9", 'x'); }), expected);
  EXPECT_EQ(after([] { xyprintf(5, 5, L"%-4s|%5.2s|%%", L"ab", L"xyz"); }),
            after([] { outtextxy(5, 5, L"ab  |   xy|%"); }));
}

TEST_F(TextFormatTest, RectprintfDrawsLikeOuttextrect) {
  settextjustify(1, 2);
  const auto expected = after([] { outtextrect(10, 5, 80, 50, "several words to wrap in the box"); });
  EXPECT_EQ(after([] { rectprintf(10, 5, 80, 50, "%s words to %s in the box", "several", "wrap"); }), expected);
  EXPECT_EQ(after([] { rectprintf(10, 5, 80, 50, L"%s words to %hs in the box", L"several", "wrap"); }), expected);
}

TEST_F(TextFormatTest, LongResultsAreCutAtACharacterBoundary) {
  // Right-justified, so the end of the text is what shows.
  settextjustify(2, 0);
  const std::string as(16382, 'a');
  // 16382 'a' and a two-byte letter: the letter's first byte fits the buffer, the character does not.
  const auto cut = after([&] { outtextxy(190, 10, as.c_str()); });
  EXPECT_EQ(after([&] { xyprintf(190, 10, "%s\xc3\xa9", as.c_str()); }), cut);
  EXPECT_EQ(after([&] { xyprintf(190, 10, "%sb%s", as.c_str(), "ccc"); }),
            after([&] { outtextxy(190, 10, (as + "b").c_str()); }));

  const std::wstring wide(8190, L'a');
  EXPECT_EQ(after([&] { xyprintf(190, 10, L"%sbc", wide.c_str()); }),
            after([&] { outtextxy(190, 10, (wide + L"b").c_str()); }));
  // A surrogate pair is kept whole or not at all.
  EXPECT_EQ(after([&] { xyprintf(190, 10, L"%s%lc%lc", wide.c_str(), wchar_t(0xD83D), wchar_t(0xDE00)); }),
            after([&] { outtextxy(190, 10, wide.c_str()); }));
}

TEST_F(TextFormatTest, NullFormatsDrawNothing) {
  const auto blank = after([] {});
  EXPECT_EQ(after([] { xyprintf(0, 0, static_cast<const char*>(nullptr)); }), blank);
  EXPECT_EQ(after([] { rectprintf(0, 0, 20, 20, static_cast<const wchar_t*>(nullptr)); }), blank);
}

}  // namespace
