// GDI text through the library: the default font of a new image, the record
// forms of setfont (long face names cut), measuring nothing, justification and
// its vertical centring, the escapement offset, the current position of
// outtext, word-wrapped and justified text in a rectangle and the viewport's
// clip restored after it. Depends on: graphics/text_internal.h. Glyph shapes
// are the platform's; the viewport's clip of the DC is frond_shapes'.
#include <cstring>

#include "graphics/text_internal.h"
#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;
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
  static void wipe(IMAGE* img) { frond_test::fill(img, kPaper); }
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
  outtext("step", &image);  // moves the position by w
  // Right-justified, so drawn to the left of the position, and centred
  // vertically: drawn 8 higher, the position comes back to the baseline row.
  settextjustify(2, 1, &image);
  wipe(&image);
  outtext(L's', &image);
  EXPECT_EQ(position(), (std::vector<int>{20 + w - textwidth('s', &image), 30}));
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
  EXPECT_EQ(cell_box(&image), (std::vector<int>{0, 0, w, 20}));  // cut at the box's bottom

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

TEST_F(TextOutputTest, NewImagesUseSixteenPixelSimSun) {
  IMAGE image(50, 20);
  EXPECT_EQ(textheight("A", &image), 16);
  EXPECT_EQ(textheight(L'A', &image), 16);
  LOGFONTW font = {};
  getfont(&font, &image);
  EXPECT_EQ((std::vector<long>{font.lfHeight, font.lfWidth, font.lfCharSet}),
            (std::vector<long>{16, 0, DEFAULT_CHARSET}));
  EXPECT_STREQ(font.lfFaceName, L"SimSun");  // its fixed pitch is the platform's
}

TEST_F(TextOutputTest, RecordFormsAndLongFaceNames) {
  IMAGE image(50, 20);
  LOGFONTA record = {};
  record.lfHeight = 30;
  std::strcpy(record.lfFaceName, "DejaVu Sans");
  setfont(&record, &image);
  EXPECT_EQ(textheight("x", &image), 30);

  setfont(18, 0, L"A face name much longer than thirty-one characters", &image);
  LOGFONTW wide = {};
  getfont(&wide, &image);
  EXPECT_EQ(std::wstring(wide.lfFaceName), std::wstring(L"A face name much longer than th"));
  EXPECT_EQ(textheight("x", &image), 18);
}

TEST_F(TextOutputTest, MeasuringNothingGivesZero) {
  IMAGE image(50, 20);
  EXPECT_EQ(textwidth(static_cast<const wchar_t*>(nullptr), &image), 0);
  EXPECT_EQ(textheight(static_cast<const wchar_t*>(nullptr), &image), 0);
  EXPECT_EQ(textwidth(static_cast<const char*>(nullptr), &image), 0);
  EXPECT_EQ(textwidth("", &image), 0);
  EXPECT_EQ(textwidth(L"", &image), 0);
  EXPECT_EQ(textwidth("abc"), 0);  // no drawing target
  EXPECT_EQ(textheight("abc", reinterpret_cast<IMAGE*>(7)), 0);  // a page that does not exist
  // A lone lead byte of a two-byte character converts to the replacement character.
  EXPECT_EQ(textwidth('\xc3', &image), textwidth(L'\ufffd', &image));
}

}  // namespace
