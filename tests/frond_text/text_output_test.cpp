// GDI text output through the library: justification and its vertical
// centring, the escapement offset, the current position of outtext,
// word-wrapped and justified text in a rectangle, clipping to the viewport.
// Depends on: graphics/text_internal.h. Glyph shapes are the platform's.
#include <algorithm>

#include "graphics/text_internal.h"
#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;
using frond_test::pixel;
using frond_test::pixels_of;

namespace {

constexpr argb_color kPaper = 0xFF203040;
constexpr argb_color kCell = 0xFF0000FF;  // the text background, drawn as 0x000000FF

class TextOutputTest : public GraphicsTest {
 protected:
  // A blank image whose opaque text cells show as 0x000000FF.
  static void prepare(IMAGE* img) {
    setbkcolor(kPaper, img);
    setfontbkcolor(kCell, img);
    settextcolor(0xFFFFFFFF, img);
  }
  // Every pixel back to the paper, the DC's colours kept.
  static void wipe(IMAGE* img) { std::fill(img->pixels, img->pixels + size_t(img->width) * img->height, kPaper); }
  // The rows and columns holding text-cell pixels: left, top, right, bottom (exclusive).
  static std::vector<int> cell_box(IMAGE* img) { return frond_test::box_of(img, kPaper); }
};

TEST(EscapementOffset, HalfTheHeightTowardsTheTopOfTheText) {
  // Height, escapement, dx, dy; halves round away from zero.
  const int cases[][4] = {{16, 0, 0, -8},   {16, 900, -8, 0}, {16, 3600, 0, -8}, {16, -900, 8, 0},
                          {16, 1800, 0, 8}, {15, 0, 0, -8},   {16, 450, -6, -6}};
  for (const auto& c : cases) {
    EXPECT_EQ(escapement_offset(c[0], c[1]).dx, c[2]) << c[0] << " " << c[1];
    EXPECT_EQ(escapement_offset(c[0], c[1]).dy, c[3]) << c[0] << " " << c[1];
  }
}

TEST_F(TextOutputTest, EveryJustificationCorner) {
  // Horizontal and vertical justification, then the cell's offset in widths and heights (centred: halves).
  const int cases[][4] = {{0, 0, 0, 0}, {2, 0, -2, 0}, {0, 2, 0, -2}, {2, 2, -2, -2}, {7, 7, 0, 0}, {1, 1, -1, -1}};
  for (const auto& c : cases) {
    IMAGE image(200, 100);
    prepare(&image);
    settextjustify(c[0], c[1], &image);
    const int w = textwidth(L"corner", &image);
    outtextxy(100, 50, L"corner", &image);
    const int left = 100 + c[2] * w / 2, top = 50 + c[3] * 8;
    EXPECT_EQ(cell_box(&image), (std::vector<int>{left, top, left + w, top + 16})) << c[0] << "," << c[1];
  }
}

TEST_F(TextOutputTest, CentringFollowsTheEscapement) {
  IMAGE image(200, 200);
  prepare(&image);
  setfont(16, 0, "SimSun", 900, 900, 0, false, false, false, &image);
  settextjustify(0, 1, &image);
  const int w = textwidth("up", &image);
  outtextxy(100, 100, "up", &image);
  // Moved 8 to the left, then running upwards with the letters' tops to the left.
  EXPECT_EQ(cell_box(&image), (std::vector<int>{92, 100 - w, 108, 100}));
}

TEST_F(TextOutputTest, OuttextMovesTheCurrentPosition) {
  IMAGE image(200, 100);
  prepare(&image);
  const int w = textwidth("step", &image);
  const auto position = [&] {
    POINT p = {};
    GetCurrentPositionEx(image.dc, &p);
    return std::vector<int>{p.x, p.y};
  };
  MoveToEx(image.dc, 20, 30, nullptr);
  outtext("step", &image);
  EXPECT_EQ(position(), (std::vector<int>{20 + w, 30}));
  settextjustify(2, 0, &image);  // right-justified: drawn to the left of the position
  outtext(L"step", &image);
  EXPECT_EQ(position(), (std::vector<int>{20, 30}));
  // Centred vertically: drawn 8 higher, the position comes back to the baseline row.
  settextjustify(0, 1, &image);
  wipe(&image);
  outtext('s', &image);
  EXPECT_EQ(position(), (std::vector<int>{20 + textwidth('s', &image), 30}));
  EXPECT_EQ(cell_box(&image)[1], 22);
}

TEST_F(TextOutputTest, NullTextSetsTheAlignmentOnly) {
  IMAGE image(40, 20);
  prepare(&image);
  settextjustify(2, 2, &image);
  outtextxy(5, 5, static_cast<const wchar_t*>(nullptr), &image);
  EXPECT_EQ(GetTextAlign(image.dc), UINT{TA_RIGHT | TA_BOTTOM});
  outtext(static_cast<const char*>(nullptr), &image);
  EXPECT_EQ(GetTextAlign(image.dc), UINT{TA_UPDATECP | TA_RIGHT | TA_BOTTOM});
  for (argb_color p : pixels_of(&image)) EXPECT_EQ(p, kPaper);
}

TEST_F(TextOutputTest, TextStaysInsideTheViewportClip) {
  IMAGE image(80, 60);
  prepare(&image);
  setviewport(10, 10, 50, 40, 1, &image);
  outtextxy(-20, -5, "a long line of text", &image);
  outtextxy(0, 25, L"another long line", &image);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x)
      if (x < 10 || x >= 50 || y < 10 || y >= 40) {
        EXPECT_EQ(pixel(&image, x, y), kPaper) << x << "," << y;
      }
  EXPECT_EQ(cell_box(&image), (std::vector<int>{10, 10, 50, 40}));
}

TEST_F(TextOutputTest, RectangleTextWrapsAndJustifies) {
  IMAGE image(100, 60);
  prepare(&image);
  const int cw = textwidth("m", &image);
  outtextrect(0, 0, 5 * cw, 60, "aaaa bbbb", &image);
  EXPECT_EQ(cell_box(&image), (std::vector<int>{0, 0, 4 * cw, 32}));

  wipe(&image);
  settextjustify(2, 2, &image);
  outtextrect(0, 0, 5 * cw, 60, "aaaa bbbb", &image);
  EXPECT_EQ(cell_box(&image), (std::vector<int>{cw, 28, 5 * cw, 60}));

  wipe(&image);
  settextjustify(1, 1, &image);
  SetTextAlign(image.dc, TA_BASELINE);
  outtextrect(0, 0, 5 * cw, 59, "aaaa bbbb", &image);  // 27 rows to share: 13 above, 14 below
  EXPECT_EQ(cell_box(&image), (std::vector<int>{cw / 2, 13, cw / 2 + 4 * cw, 45}));
  EXPECT_EQ(GetTextAlign(image.dc), UINT{TA_BASELINE});  // restored after drawing
}

TEST_F(TextOutputTest, TallRectangleTextKeepsItsBottomOrMiddle) {
  IMAGE image(100, 60);
  prepare(&image);
  const int cw = textwidth("m", &image);
  const char* text = "aaaa bbbb cccc";  // three lines of 16 in a box 20 high
  const int w = 4 * cw;

  settextjustify(0, 2, &image);
  outtextrect(0, 0, w, 20, text, &image);  // drawn from y = -28: the third line fills rows 4..19
  EXPECT_EQ(cell_box(&image), (std::vector<int>{0, 0, w, 20}));
  for (int x = 0; x < 100; ++x) EXPECT_EQ(pixel(&image, x, 20), kPaper);

  wipe(&image);
  settextjustify(0, 0, &image);
  outtextrect(0, 0, w, 20, text, &image);  // from y = 0: only the first line is whole
  EXPECT_EQ(cell_box(&image), (std::vector<int>{0, 0, w, 16}));

  // The clip of the viewport is back afterwards.
  wipe(&image);
  settextjustify(0, 1, &image);
  outtextrect(0, 0, w, 20, text, &image);
  outtextxy(0, 40, "after", &image);
  EXPECT_EQ(cell_box(&image)[3], 48);
}

}  // namespace
