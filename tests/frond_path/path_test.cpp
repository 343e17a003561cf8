// Paths as Frond wraps them: null tolerance, copies and the bounded reads of
// points and types, the fill-mode codes, filling on an image (plain and at an
// offset, the transform left alone), hit tests in an image's pixels, text
// faces. Depends on: the graphics fixture. Path geometry is the platform's.

#include <memory>
#include <vector>

#include "support/graphics_fixture.h"

namespace frond {
// Found by argument lookup, also from the standard library's comparisons.
bool operator==(const frond_point& a, const frond_point& b) { return a.x == b.x && a.y == b.y; }
}  // namespace frond

using namespace frond;
using namespace frond_test;

namespace {

class PathTest : public GraphicsTest {};

using path_ptr = std::unique_ptr<frond_path, void (*)(const frond_path*)>;
path_ptr make_path() { return path_ptr(frond_path_create(), frond_path_destroy); }

std::vector<frond_point> points_of(const frond_path* p) {
  const std::unique_ptr<frond_point[]> all(frond_path_getpoints(p));
  return all ? std::vector<frond_point>(all.get(), all.get() + frond_path_pointcount(p)) : std::vector<frond_point>{};
}

std::vector<uint8_t> types_of(const frond_path* p) {
  const std::unique_ptr<uint8_t[]> all(frond_path_gettypes(p));
  return all ? std::vector<uint8_t>(all.get(), all.get() + frond_path_pointcount(p)) : std::vector<uint8_t>{};
}

TEST_F(PathTest, EveryOperationOnANullPathIsHarmless) {
  IMAGE image(8, 8);
  const frond_point pts[3] = {{0, 0}, {4, 0}, {0, 4}};
  const frond_rect rect{0, 0, 4, 4};
  frond_path_startfigure(nullptr), frond_path_closefigure(nullptr), frond_path_closeallfigures(nullptr);
  frond_path_setfillmode(nullptr, 2), frond_path_reset(nullptr), frond_path_reverse(nullptr);
  frond_path_widen(nullptr, 2), frond_path_flatten(nullptr), frond_path_warp(nullptr, pts, 3, &rect);
  frond_path_outline(nullptr), frond_path_transform(nullptr, nullptr), frond_path_addpath(nullptr, nullptr, true);
  frond_path_addline(nullptr, 0, 0, 1, 1), frond_path_addrect(nullptr, 0, 0, 1, 1);
  frond_path_addpolygon(nullptr, 3, pts), frond_path_addtext(nullptr, 0, 0, "x", 10);
  frond_fillpath(nullptr, &image), frond_drawpath(nullptr, 1, 1, &image);
  EXPECT_EQ(frond_path_clone(nullptr), nullptr);
  EXPECT_FALSE(frond_path_inpath(nullptr, 0, 0));
  EXPECT_FALSE(frond_path_inpath(nullptr, 0, 0, &image));
  EXPECT_FALSE(frond_path_inoutline(nullptr, 0, 0));
  EXPECT_EQ(frond_path_pointcount(nullptr), 0);
  EXPECT_TRUE(frond_path_lastpoint(nullptr) == (frond_point{0, 0}));
  const frond_rect bounds = frond_path_getbounds(nullptr, nullptr, &image);
  EXPECT_EQ(bounds.x + bounds.y + bounds.w + bounds.h, 0);
  EXPECT_EQ(frond_path_getpoints(nullptr), nullptr);
  frond_point buffer[1] = {{7, 7}};
  EXPECT_EQ(frond_path_getpoints(nullptr, buffer, 1), nullptr);
  EXPECT_EQ(buffer[0].x, 7);
  frond_path_destroy(nullptr);
}

TEST_F(PathTest, RectanglePointsTypesAndCopies) {
  path_ptr p = make_path();
  frond_path_addrect(p.get(), 1, 2, 3, 4);
  const std::vector<frond_point> pts = points_of(p.get());
  const std::vector<uint8_t> types = types_of(p.get());
  const std::vector<frond_point> expected{{1, 2}, {4, 2}, {4, 6}, {1, 6}};
  EXPECT_EQ(pts, expected);
  EXPECT_EQ(types, (std::vector<uint8_t>{0, 1, 1, 0x81}));
  path_ptr from(frond_path_createfrom(pts.data(), types.data(), 4), frond_path_destroy);
  EXPECT_EQ(points_of(from.get()), expected);
  EXPECT_EQ(types_of(from.get()), types);
  path_ptr clone(frond_path_clone(p.get()), frond_path_destroy);
  EXPECT_EQ(points_of(clone.get()), expected);
  frond_path copy;
  copy = *p;
  copy = *&copy;  // assignment to itself keeps the figures
  EXPECT_EQ(points_of(&copy), expected);
  EXPECT_TRUE(frond_path_lastpoint(&copy) == (frond_point{1, 6}));
  // Bounded reads copy at most the capacity.
  frond_point two[3] = {{-1, -1}, {-1, -1}, {-1, -1}};
  EXPECT_EQ(frond_path_getpoints(p.get(), two, 2), two);
  EXPECT_TRUE(two[1] == (frond_point{4, 2}));
  EXPECT_EQ(two[2].x, -1);
  uint8_t one[2] = {9, 9};
  frond_path_gettypes(p.get(), one, 1);
  EXPECT_EQ(one[1], 9);
}

TEST_F(PathTest, FillModesMapToWindingOrAlternate) {
  path_ptr p = make_path();
  frond_path_addrect(p.get(), 0, 0, 10, 10);
  frond_path_addrect(p.get(), 5, 5, 10, 10);
  const struct {
    int mode;
    bool overlap_inside;
  } modes[] = {{2, true}, {1, false}, {0, false}, {3, false}};
  for (const auto& m : modes) {
    frond_path_setfillmode(p.get(), m.mode);
    EXPECT_EQ(frond_path_inpath(p.get(), 7, 7), m.overlap_inside) << m.mode;
    EXPECT_TRUE(frond_path_inpath(p.get(), 2, 2));
  }
}

TEST_F(PathTest, FillingCoversExactlyThePixelsAndTheOffsetMovesThem) {
  IMAGE image(12, 12);
  setantialias(false, &image);
  setfillcolor(0xFFFFFFFF, &image);
  path_ptr p = make_path();
  frond_path_addrect(p.get(), 2, 2, 4, 4);
  frond_transform_matrix before{}, after{};
  frond_get_transform(&before, &image);
  for (int offset : {0, 3}) {
    cleardevice(&image);
    const std::vector<argb_color> blank = pixels_of(&image);
    if (offset == 0) frond_fillpath(p.get(), &image);
    else frond_fillpath(p.get(), float(offset), float(offset), &image);
    expect_changed_exactly(blank, &image, 2 + offset, 2 + offset, 6 + offset, 6 + offset);
  }
  frond_get_transform(&after, &image);
  EXPECT_EQ(after.dx, before.dx);
  EXPECT_EQ(after.dy, before.dy);
}

TEST_F(PathTest, HitTestsWithAnImageUseItsViewportAndPen) {
  IMAGE image(100, 100);
  setviewport(20, 20, 80, 80, 1, &image);
  path_ptr p = make_path();
  frond_path_addrect(p.get(), 0, 0, 10, 10);
  EXPECT_TRUE(frond_path_inpath(p.get(), 25, 25, &image));
  EXPECT_FALSE(frond_path_inpath(p.get(), 5, 5, &image));
  EXPECT_TRUE(frond_path_inpath(p.get(), 5, 5));
  setlinewidth(4, &image);
  EXPECT_TRUE(frond_path_inoutline(p.get(), 21.5f, 25, &image));
  EXPECT_FALSE(frond_path_inoutline(p.get(), 1.5f, 5, &image));
  const frond_rect stroked = frond_path_getbounds(p.get(), nullptr, &image);
  EXPECT_NEAR(stroked.x, -2, 1e-4);
  EXPECT_NEAR(stroked.w, 14, 1e-4);
  // Selector 0 with no drawing target resolves to nothing: an empty rectangle.
  const frond_rect none = frond_path_getbounds(p.get(), nullptr, nullptr);
  EXPECT_EQ(none.x + none.y + none.w + none.h, 0);
}

// Faces the platform does not know add nothing: the platform's path tests.
TEST_F(PathTest, TextOutlines) {
  path_ptr none = make_path();
  frond_path_addtext(none.get(), 0, 0, L"Hello", 20, 0);
  EXPECT_EQ(frond_path_pointcount(none.get()), 0);
  // The default face is SimSun; the 8-bit form converts exactly the bytes it is given.
  path_ptr wide = make_path(), narrow = make_path(), named = make_path();
  frond_path_addtext(wide.get(), 5, 5, L"He", 20, -1);
  frond_path_addtext(narrow.get(), 5, 5, "Hello", 20, 2, "");
  frond_path_addtext(named.get(), 5, 5, L"Hello", 20, 2, L"SimSun");
  EXPECT_GT(frond_path_pointcount(wide.get()), 8);
  EXPECT_EQ(points_of(narrow.get()), points_of(wide.get()));
  EXPECT_EQ(points_of(named.get()), points_of(wide.get()));
}

}  // namespace
