// GDI+ text through the library: colour with alpha and no background,
// justification, formatted and 8-bit forms, the width scale, the escapement,
// the System font's stand-in. Depends on: the graphics fixture.
#include <algorithm>

#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;
using frond_test::pixel;
using frond_test::pixels_of;

namespace {

constexpr argb_color kWhite = 0xFFFFFFFF;

class TextGdiplusTest : public GraphicsTest {
 protected:
  TextGdiplusTest() : image(240, 120) {}
  void SetUp() override {
    GraphicsTest::SetUp();
    settarget(&image);
  }
  // The pixels `draw` leaves on a white image.
  template <class Draw>
  std::vector<argb_color> after(Draw draw) { return frond_test::pixels_after(&image, 240, 120, kWhite, draw); }
  // Left, top, right, bottom of the pixels that are not white.
  std::vector<int> ink() { return frond_test::box_of(&image, kWhite); }
  argb_color darkest_green() {
    argb_color darkest = kWhite;
    const size_t count = size_t(image.width) * size_t(image.height);
    for (size_t i = 0; i < count; ++i) darkest = std::min(darkest, image.pixels[i] & 0xFF00u);
    return darkest >> 8;
  }

  IMAGE image;
};

TEST_F(TextGdiplusTest, TextColourAlphaBlendsWhereGdiIgnoresIt) {
  settextcolor(0x80FF0000, &image);
  after([&] { frond_outtextxy(10, 10, "I", &image); });
  EXPECT_NEAR(int(darkest_green()), 127, 2);
  // No background cell, even in opaque mode: only the glyph changes.
  EXPECT_LT(ink()[2] - ink()[0], textwidth("I", &image));
  EXPECT_LT(ink()[3] - ink()[1], textheight("I", &image));
  after([&] { outtextxy(10, 10, "I", &image); });  // GDI ignores the alpha
  EXPECT_EQ(darkest_green(), 0u);
}

TEST_F(TextGdiplusTest, JustificationAlignsOnX) {
  settextcolor(0xFF000000, &image);
  after([&] { frond_outtextxy(120, 20, "centred", &image); });
  const std::vector<int> left = ink();
  settextjustify(1, 0, &image);
  after([&] { frond_outtextxy(120, 20, "centred", &image); });
  EXPECT_NEAR((ink()[0] + ink()[2]) / 2.0, 120.0, 2.0);
  EXPECT_EQ(ink()[2] - ink()[0], left[2] - left[0]);
  settextjustify(2, 2, &image);  // vertical justification plays no part
  after([&] { frond_outtextxy(120, 20, "centred", &image); });
  EXPECT_NEAR(ink()[2], 120, 2);
  EXPECT_EQ(ink()[1], left[1]);
}

TEST_F(TextGdiplusTest, EveryFormDrawsTheSameText) {
  settextcolor(0xFF000000, &image);
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

TEST_F(TextGdiplusTest, FontWidthCompressesTheText) {
  settextcolor(0xFF000000, &image);
  after([&] { frond_outtextxy(10, 10, "wide text", &image); });
  const std::vector<int> natural = ink();
  setfont(16, 4, "SimSun", &image);
  after([&] { frond_outtextxy(10, 10, "wide text", &image); });
  const std::vector<int> narrow = ink();
  EXPECT_NEAR(double(narrow[2] - narrow[0]) / (natural[2] - natural[0]), 0.5, 0.08);
  EXPECT_EQ(narrow[1], natural[1]);
  // The image keeps its font as set.
  LOGFONTW font = {};
  getfont(&font, &image);
  EXPECT_EQ(font.lfWidth, 4);
  EXPECT_EQ(textwidth("abcd", &image), 16);
}

TEST_F(TextGdiplusTest, EscapementTurnsTheText) {
  settextcolor(0xFF000000, &image);
  setfont(16, 0, "SimSun", 900, 900, 0, false, false, false, &image);
  after([&] { frond_outtextxy(100, 110, "upwards", &image); });
  const std::vector<int> box = ink();
  EXPECT_GT(box[3] - box[1], 3 * (box[2] - box[0]));
  EXPECT_LE(box[3], 111);  // it runs up from y = 110
  EXPECT_GE(box[0], 99);   // the tops of the letters face left: x = 100 is their top edge
}

TEST_F(TextGdiplusTest, SystemDrawsInTheDefaultGuiFont) {
  settextcolor(0xFF000000, &image);
  setfont(16, 0, "System", &image);
  after([&] { frond_outtextxy(10, 10, "Hl", &image); });
  const int gdiplus_height = ink()[3] - ink()[1];
  setbkmode(TRANSPARENT, &image);
  after([&] { outtextxy(10, 10, "Hl", &image); });
  EXPECT_LT(gdiplus_height, ink()[3] - ink()[1]);  // an 11-pixel em against a 16-pixel cell
}

}  // namespace
