// Drawing attributes as Frond maps them: which colour fields a setter
// touches, the background repaint, defaults without an image, line styles
// and user patterns to dashes and pens, caps, joins and miter limits
// (their pictures are in the golden script). Depends on: graphics/internal.h. Counting is in
// frond_counting; what the pens draw is pinned by the platform tests.

#include "graphics/internal.h"
#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;
using frond_test::pixels_of;

namespace {

class AttributesTest : public GraphicsTest {};

TEST_F(AttributesTest, ColourSettersTouchTheirOwnFieldsAndRepaintOnlyTheExactOldBackground) {
  IMAGE image(4, 1);
  setbkcolor(0xFF0000FF, &image);  // repaints the black image blue
  image.pixels[1] = 0x7F0000FF;  // differs in alpha only
  image.pixels[2] = 0xFF00FF00;  // drawn in another colour
  setbkcolor(0xFFFFFFFF, &image);
  EXPECT_EQ(pixels_of(&image), (std::vector<argb_color>{0xFFFFFFFF, 0x7F0000FF, 0xFF00FF00, 0xFFFFFFFF}));
  EXPECT_EQ(GetBkColor(image.dc), 0x00FFFFFFu);

  setbkcolor_norepaint(0xFF123456, &image);
  EXPECT_EQ(image.pixels[0], 0xFFFFFFFFu);

  setfontbkcolor(0xFF00FF00, &image);
  EXPECT_EQ(getbkcolor(&image), 0xFF123456u);
  EXPECT_EQ(GetBkColor(image.dc), 0x0000FF00u);

  // The line colour is the colour, which also sets the text colour; the text colour alone leaves it.
  setlinecolor(0xFF00AA00, &image);
  EXPECT_EQ((std::vector<argb_color>{getcolor(&image), getlinecolor(&image), gettextcolor(&image)}),
            (std::vector<argb_color>{0xFF00AA00, 0xFF00AA00, 0xFFD3D3D3}));
  setcolor(0x80FF0000, &image);
  EXPECT_EQ(gettextcolor(&image), 0x80FF0000u);
  EXPECT_EQ(GetTextColor(image.dc), 0x000000FFu);
  settextcolor(0xFF0000FF, &image);
  EXPECT_EQ(getcolor(&image), 0x80FF0000u);
}

TEST_F(AttributesTest, GettersWithoutAnImage) {
  IMAGE* none = reinterpret_cast<IMAGE*>(5);
  EXPECT_EQ((std::vector<argb_color>{getcolor(none), getlinecolor(none), getfillcolor(none), getbkcolor(none),
                                     gettextcolor(none), argb_color(getlinecap(none)), argb_color(getlinejoin(none))}),
            (std::vector<argb_color>{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0, 0}));
  int style = 42;
  getlinestyle(&style, nullptr, nullptr, none);
  EXPECT_EQ(style, 42);  // setters without an image: frond_counting
}

TEST_F(AttributesTest, PenWidthStyleCapsAndMiterLimits) {
  IMAGE image(1, 1);
  setlinewidth(2.7f, &image);
  EXPECT_EQ(image.line_thickness, 2);
  Gdiplus::REAL width;
  Gdiplus::GdipGetPenWidth(image.pen_holder.object, &width);
  EXPECT_FLOAT_EQ(width, 2.7f);

  setlinestyle(3, 0x1234, 3, &image);
  EXPECT_FLOAT_EQ(image.line_width, 3.0f);
  Gdiplus::DashStyle dash;
  Gdiplus::GdipGetPenDashStyle(image.pen_holder.object, &dash);
  EXPECT_EQ(dash, Gdiplus::DashStyleDashDot);

  setlinecap(9, &image);
  Gdiplus::LineCap cap;
  Gdiplus::GdipGetPenStartCap(image.pen_holder.object, &cap);
  EXPECT_EQ(cap, Gdiplus::LineCapFlat);
  EXPECT_EQ(getlinecap(&image), 9);  // kept as given
  float limit;
  int join;
  getlinejoin(&join, &limit, &image);
  EXPECT_FLOAT_EQ(limit, 10.0f);  // the default
  setlinejoin(0, 0.5f, &image);
  EXPECT_FLOAT_EQ(image.miter_limit, 1.0f);
  setlinejoin(0, 4.5f, &image);
  float dc_limit = 0;
  GetMiterLimit(image.dc, &dc_limit);
  EXPECT_FLOAT_EQ(dc_limit, 4.5f);
}

TEST_F(AttributesTest, UserPatternDashes) {
  using D = std::vector<DWORD>;
  // Odd numbers of runs (0x0FF0, 0xF00F, 0x0F0E): the first and last runs are one run of the cycle.
  const std::pair<uint16_t, D> cases[] = {
      {0x00FF, {8, 8}}, {0xFF00, {8, 8}}, {0xFFF0, {12, 4}}, {0x000F, {4, 12}}, {0x1111, {1, 3, 1, 3, 1, 3, 1, 3}},
      {0x5555, D(16, 1)}, {0x0FF0, {8, 8}}, {0xF00F, {8, 8}}, {0x0F0E, {3, 4, 4, 5}}};
  for (const auto& c : cases) EXPECT_EQ(line_pattern_dashes(c.first), c.second) << std::hex << c.first;
  for (uint32_t p = 1; p < 0xFFFF; ++p) {
    const D dashes = line_pattern_dashes(uint16_t(p));
    ASSERT_EQ(dashes.size() % 2, 0u) << p;
    DWORD sum = 0;
    for (DWORD d : dashes) sum += d;
    ASSERT_EQ(sum, 16u) << p;
  }
}

// A user pattern with every bit set is a solid pen, with none a null pen
// (the dashed pens' pictures are in the golden script).
TEST_F(AttributesTest, UserPatternsOfOneRunAreSolidOrNull) {
  IMAGE image(1, 1);
  for (const auto& [pattern, style] : {std::pair<int, UINT>{0xFFFF, PS_SOLID}, {0x0000, PS_NULL}}) {
    setlinestyle(PS_USERSTYLE, pattern, 1, &image);
    HGDIOBJ pen = GetCurrentObject(image.dc, OBJ_PEN);
    LOGPEN record = {PS_DASH, {}, 0};
    ASSERT_EQ(GetObjectType(pen), DWORD(OBJ_PEN)) << pattern;  // a plain pen, not a dashed one
    ASSERT_EQ(GetObjectW(pen, sizeof(record), &record), int(sizeof(record)));
    EXPECT_EQ(record.lopnStyle, style) << pattern;
  }
}

}  // namespace
