// Pens: a new pen's GDI+ defaults (those the stroke tests cannot see) and
// the values the setters refuse.
// Depends on: gdiplus_test_support.h.
#include <gtest/gtest.h>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::expect_all;
using gdiplus_test::get;

namespace {

class PenTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GdipCreatePen1(0xFF102030, 2.5f, UnitPixel, &pen_), Ok); }
  void TearDown() override { EXPECT_EQ(GdipDeletePen(pen_), Ok); }

  void expect_unchanged_defaults(GpPen* pen) {
    EXPECT_EQ(get(GdipGetPenWidth, pen), 2.5f);
    EXPECT_EQ(get(GdipGetPenDashStyle, pen), DashStyleSolid);
    EXPECT_EQ(get(GdipGetPenStartCap, pen), LineCapFlat);
  }

  GpPen* pen_ = nullptr;
};

// Invalid values are refused first; then the pen must still have GDI+'s defaults.
TEST_F(PenTest, InvalidValuesChangeNothingAndANewPenHasGdiplusDefaults) {
  REAL width = 0;
  GpPen* pen = nullptr;
  expect_all({GdipSetPenWidth(pen_, -0.5f), GdipSetPenStartCap(pen_, static_cast<GpLineCap>(4)),
              GdipSetPenEndCap(pen_, LineCapCustom), GdipSetPenDashStyle(pen_, static_cast<DashStyle>(6)),
              GdipSetPenColor(nullptr, 0), GdipGetPenWidth(nullptr, &width),
              GdipDeletePen(nullptr),
              GdipCreatePen1(0xFF000000, -1, UnitWorld, &pen),
              GdipCreatePen1(0xFF000000, 1, static_cast<GpUnit>(7), &pen),
              GdipCreatePen1(0xFF000000, 1, UnitWorld, nullptr)});
  EXPECT_EQ(pen, nullptr);
  expect_unchanged_defaults(pen_);
  ASSERT_EQ(GdipCreatePen1(0xFF000000, 0, UnitWorld, &pen), Ok);  // zero: the thinnest line
  GdipDeletePen(pen);
}

}  // namespace
