// Text drawn through the formatted and the GDI+ forms: xyprintf and
// rectprintf draw what outtextxy and outtextrect draw for the formatted text
// (wide formats read %s as wide text; results too long for their buffers are
// cut at a character boundary); GDI+ text takes the colour's alpha and no
// background, justification on x, the width scale, the escapement and the
// System font's stand-in. Depends on: the graphics fixture.
#include <algorithm>
#include <string>

#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;

namespace {

constexpr argb_color kWhite = 0xFFFFFFFF;

// Black text on a white 240x120 image that is the drawing target.
class TextFormsTest : public GraphicsTest {
 protected:
  TextFormsTest() : image(240, 120) {}
  void SetUp() override {
    GraphicsTest::SetUp();
    settarget(&image);
    settextcolor(0xFF000000, &image);
  }
  // The pixels `draw` leaves on a fresh white image.
  template <class Draw>
  std::vector<argb_color> after(Draw draw) {
    setbkcolor(kWhite, &image);
    image.resize(240, 120);
    draw();
    return frond_test::pixels_of(&image);
  }
  // Left, top, right, bottom of the pixels that are not white.
  std::vector<int> ink() { return frond_test::box_of(&image, kWhite); }
  argb_color darkest_green() {
    argb_color darkest = kWhite;
    for (argb_color p : frond_test::pixels_of(&image)) darkest = std::min(darkest, p & 0xFF00u);
    return darkest >> 8;
  }

  IMAGE image;
};

// Both forms of xyprintf draw what outtextxy draws: below, on wide formats
// and on results cut short (outtextxy's own pixels are frond_text's output tests').
TEST_F(TextFormsTest, NullFormatsDrawNothing) {
  const auto blank = after([] {});
  EXPECT_EQ(after([] { xyprintf(0, 0, static_cast<const char*>(nullptr)); }), blank);
  EXPECT_EQ(after([] { rectprintf(0, 0, 20, 20, static_cast<const wchar_t*>(nullptr)); }), blank);
}

TEST_F(TextFormsTest, WideFormatsReadPercentSAsWideText) {
  const auto expected = after([] { outtextxy(5, 5, L"name: \u00e9t\u00e9 / x"); });
  EXPECT_EQ(after([] { xyprintf(5, 5, L"%s: %ls / %c", L"name", L"\u00e9t\u00e9", L'x'); }), expected);
  EXPECT_EQ(after([] { xyprintf(5, 5, L"%hs: %s / %hc", "name", L"\u00e9t\u00e9", 'x'); }), expected);
  EXPECT_EQ(after([] { xyprintf(5, 5, L"%S: %s / %C", "name", L"\u00e9t\u00e9", 'x'); }), expected);
  EXPECT_EQ(after([] { xyprintf(5, 5, L"%-4s|%5.2s|%%", L"ab", L"xyz"); }),
            after([] { outtextxy(5, 5, L"ab  |   xy|%"); }));
}

TEST_F(TextFormsTest, RectprintfDrawsLikeOuttextrect) {
  settextjustify(1, 2);
  const auto expected = after([] { outtextrect(10, 5, 80, 50, "several words to wrap in the box"); });
  EXPECT_EQ(after([] { rectprintf(10, 5, 80, 50, "%s words to %s in the box", "several", "wrap"); }), expected);
  EXPECT_EQ(after([] { rectprintf(10, 5, 80, 50, L"%s words to %hs in the box", L"several", "wrap"); }), expected);
}

TEST_F(TextFormsTest, LongResultsAreCutAtACharacterBoundary) {
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

// (GDI text takes the colour without its alpha: frond_attributes.)
TEST_F(TextFormsTest, TextColourAlphaBlends) {
  settextcolor(0x80FF0000, &image);
  after([&] { frond_outtextxy(10, 10, "I", &image); });
  EXPECT_NEAR(int(darkest_green()), 127, 2);
  // No background cell, even in opaque mode: only the glyph changes.
  EXPECT_LT(ink()[2] - ink()[0], textwidth("I", &image));
  EXPECT_LT(ink()[3] - ink()[1], textheight("I", &image));
}

TEST_F(TextFormsTest, JustificationAlignsOnX) {
  after([&] { frond_outtextxy(120, 20, "centred", &image); });
  const std::vector<int> left = ink();
  settextjustify(1, 0, &image);
  after([&] { frond_outtextxy(120, 20, "centred", &image); });
  EXPECT_NEAR((ink()[0] + ink()[2]) / 2.0, 120.0, 2.0);
  settextjustify(2, 2, &image);  // vertical justification plays no part
  after([&] { frond_outtextxy(120, 20, "centred", &image); });
  EXPECT_NEAR(ink()[2], 120, 2);
  EXPECT_EQ(ink()[1], left[1]);
}

TEST_F(TextFormsTest, EveryFormDrawsTheSameText) {
  const auto expected = after([&] { frond_outtextxy(10, 10, L"42", &image); });
  EXPECT_NE(expected, after([] {}));
  EXPECT_EQ(after([&] { frond_outtextxy(10, 10, "42", &image); }), expected);
  EXPECT_EQ(after([] { frond_xyprintf(10, 10, "%d", 42); }), expected);
  EXPECT_EQ(after([] { frond_xyprintf(10, 10, L"%s", L"42"); }), expected);
  EXPECT_EQ(after([&] { frond_drawtext("42", 10.0f, 10.0f, &image); }), expected);
  EXPECT_EQ(after([&] { frond_drawtext(L"42", 10.0f, 10.0f); }), expected);
  const auto four = after([&] { frond_outtextxy(10, 10, L"4", &image); });
  EXPECT_EQ(after([&] { frond_outtextxy(10, 10, '4', &image); }), four);
  EXPECT_EQ(after([&] { frond_outtextxy(10, 10, L'4'); }), four);
}

TEST_F(TextFormsTest, FontWidthCompressesTheText) {
  after([&] { frond_outtextxy(10, 10, "wide text", &image); });
  const std::vector<int> natural = ink();
  setfont(16, 4, "SimSun", &image);
  after([&] { frond_outtextxy(10, 10, "wide text", &image); });
  const std::vector<int> narrow = ink();
  EXPECT_NEAR(double(narrow[2] - narrow[0]) / (natural[2] - natural[0]), 0.5, 0.08);
  EXPECT_EQ(narrow[1], natural[1]);
  EXPECT_EQ(textwidth("abcd", &image), 16);  // the image's font is back as set
}

TEST_F(TextFormsTest, EscapementTurnsTheText) {
  setfont(16, 0, "SimSun", 900, 900, 0, false, false, false, &image);
  after([&] { frond_outtextxy(100, 110, "upwards", &image); });
  const std::vector<int> box = ink();
  EXPECT_GT(box[3] - box[1], 3 * (box[2] - box[0]));
  EXPECT_LE(box[3], 111);  // it runs up from y = 110
  EXPECT_GE(box[0], 99);   // the tops of the letters face left: x = 100 is their top edge
}

TEST_F(TextFormsTest, SystemDrawsInTheDefaultGuiFont) {
  setfont(16, 0, "System", &image);
  after([&] { frond_outtextxy(10, 10, "Hl", &image); });
  const int gdiplus_height = ink()[3] - ink()[1];
  setbkmode(TRANSPARENT, &image);
  after([&] { outtextxy(10, 10, "Hl", &image); });
  EXPECT_LT(gdiplus_height, ink()[3] - ink()[1]);  // an 11-pixel em against a 16-pixel cell
}

}  // namespace
