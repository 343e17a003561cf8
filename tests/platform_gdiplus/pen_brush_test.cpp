// Pens and solid brushes: defaults, setters and their checks, dash patterns,
// miter limits, brush fills and independent clones.
#include <gtest/gtest.h>

#include <vector>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::expect_all;
using gdiplus_test::get;

namespace {

class PenTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GdipCreatePen1(0xFF102030, 2.5f, UnitPixel, &pen_), Ok); }
  void TearDown() override { EXPECT_EQ(GdipDeletePen(pen_), Ok); }

  std::vector<REAL> dashes(GpPen* pen) {
    std::vector<REAL> values(static_cast<size_t>(get(GdipGetPenDashCount, pen)));
    if (!values.empty()) {
      EXPECT_EQ(GdipGetPenDashArray(pen, values.data(), static_cast<INT>(values.size())), Ok);
    }
    return values;
  }
  void expect_unchanged_defaults(GpPen* pen) {
    EXPECT_EQ(get(GdipGetPenColor, pen), 0xFF102030u);
    EXPECT_EQ(get(GdipGetPenWidth, pen), 2.5f);
    EXPECT_EQ(get(GdipGetPenUnit, pen), UnitPixel);
    EXPECT_EQ(get(GdipGetPenDashStyle, pen), DashStyleSolid);
    EXPECT_TRUE(dashes(pen).empty());
    EXPECT_EQ(get(GdipGetPenStartCap, pen), LineCapFlat);
    EXPECT_EQ(get(GdipGetPenEndCap, pen), LineCapFlat);
    EXPECT_EQ(get(GdipGetPenLineJoin, pen), LineJoinMiter);
    EXPECT_EQ(get(GdipGetPenMiterLimit, pen), 10.0f);
  }

  GpPen* pen_ = nullptr;
};

// Invalid values are refused first; then the pen must still have GDI+'s defaults.
TEST_F(PenTest, InvalidValuesChangeNothingAndANewPenHasGdiplusDefaults) {
  REAL width = 0;
  GpPen* pen = nullptr;
  expect_all({GdipSetPenWidth(pen_, -0.5f), GdipSetPenStartCap(pen_, static_cast<GpLineCap>(4)),
              GdipSetPenEndCap(pen_, LineCapCustom), GdipSetPenDashStyle(pen_, static_cast<DashStyle>(6)),
              GdipSetPenColor(nullptr, 0), GdipGetPenColor(pen_, nullptr), GdipGetPenMiterLimit(nullptr, &width),
              GdipClonePen(pen_, nullptr), GdipDeletePen(nullptr), GdipSetPenBrushFill(pen_, nullptr),
              GdipCreatePen1(0xFF000000, -1, UnitWorld, &pen),
              GdipCreatePen1(0xFF000000, 1, static_cast<GpUnit>(7), &pen),
              GdipCreatePen1(0xFF000000, 1, UnitWorld, nullptr)});
  EXPECT_EQ(pen, nullptr);
  expect_unchanged_defaults(pen_);
  ASSERT_EQ(GdipCreatePen1(0xFF000000, 0, UnitWorld, &pen), Ok);  // zero: the thinnest line
  GdipDeletePen(pen);
}

TEST_F(PenTest, SettersRoundTripAndTheCloneIsIndependent) {
  GpPen* clone = nullptr;
  ASSERT_EQ(GdipClonePen(pen_, &clone), Ok);
  ASSERT_EQ(GdipSetPenColor(pen_, 0x80ABCDEF), Ok);
  EXPECT_EQ(get(GdipGetPenColor, pen_), 0x80ABCDEFu);
  ASSERT_EQ(GdipSetPenWidth(pen_, 7.25f), Ok);
  EXPECT_EQ(get(GdipGetPenWidth, pen_), 7.25f);
  for (GpLineCap value : {LineCapSquare, LineCapRound, LineCapTriangle, LineCapNoAnchor, LineCapArrowAnchor}) {
    ASSERT_EQ(GdipSetPenStartCap(pen_, value), Ok);
    EXPECT_EQ(get(GdipGetPenStartCap, pen_), value);
    ASSERT_EQ(GdipSetPenEndCap(pen_, value), Ok);
    EXPECT_EQ(get(GdipGetPenEndCap, pen_), value);
  }
  for (GpLineJoin value : {LineJoinBevel, LineJoinRound, LineJoinMiterClipped, LineJoinMiter}) {
    ASSERT_EQ(GdipSetPenLineJoin(pen_, value), Ok);
    EXPECT_EQ(get(GdipGetPenLineJoin, pen_), value);
  }
  ASSERT_EQ(GdipSetPenMiterLimit(pen_, 0.25f), Ok);
  EXPECT_EQ(get(GdipGetPenMiterLimit, pen_), 1.0f);  // below one is stored as one
  ASSERT_EQ(GdipSetPenMiterLimit(pen_, 3.5f), Ok);
  EXPECT_EQ(get(GdipGetPenMiterLimit, pen_), 3.5f);
  ASSERT_EQ(GdipSetPenDashStyle(pen_, DashStyleDashDot), Ok);
  expect_unchanged_defaults(clone);
  GdipDeletePen(clone);
}

TEST_F(PenTest, DashStylesBringTheirPatternsAndCustomArraysNeedPositiveEntries) {
  const struct { DashStyle style; std::vector<REAL> pattern; } styles[] = {
      {DashStyleDash, {3, 1}}, {DashStyleDot, {1, 1}}, {DashStyleDashDot, {3, 1, 1, 1}},
      {DashStyleDashDotDot, {3, 1, 1, 1, 1, 1}}, {DashStyleSolid, {}}};
  for (const auto& s : styles) {
    ASSERT_EQ(GdipSetPenDashStyle(pen_, s.style), Ok);
    EXPECT_EQ(get(GdipGetPenDashStyle, pen_), s.style);
    EXPECT_EQ(dashes(pen_), s.pattern) << s.style;
  }
  const REAL pattern[] = {2, 0.5f, 4}, with_zero[] = {1, 0}, with_negative[] = {1, -2};
  ASSERT_EQ(GdipSetPenDashArray(pen_, pattern, 3), Ok);
  EXPECT_EQ(get(GdipGetPenDashStyle, pen_), DashStyleCustom);
  EXPECT_EQ(dashes(pen_), (std::vector<REAL>{2, 0.5f, 4}));
  expect_all({GdipSetPenDashArray(pen_, with_zero, 2), GdipSetPenDashArray(pen_, with_negative, 2),
              GdipSetPenDashArray(pen_, pattern, 0), GdipSetPenDashArray(pen_, nullptr, 2)});
  EXPECT_EQ(dashes(pen_), (std::vector<REAL>{2, 0.5f, 4}));
  REAL too_small[2];
  EXPECT_EQ(GdipGetPenDashArray(pen_, too_small, 2), InsufficientBuffer);
  ASSERT_EQ(GdipSetPenDashStyle(pen_, DashStyleCustom), Ok);  // keeps the custom pattern
  EXPECT_EQ(dashes(pen_), (std::vector<REAL>{2, 0.5f, 4}));
}

TEST_F(PenTest, BrushFillIsCopiedIntoThePen) {
  GpSolidFill* fill = nullptr;
  ASSERT_EQ(GdipCreateSolidFill(0x40302010, &fill), Ok);
  ASSERT_EQ(GdipSetPenBrushFill(pen_, reinterpret_cast<GpBrush*>(fill)), Ok);
  ASSERT_EQ(GdipSetSolidFillColor(fill, 0xFFFFFFFF), Ok);
  ASSERT_EQ(GdipDeleteBrush(reinterpret_cast<GpBrush*>(fill)), Ok);
  EXPECT_EQ(get(GdipGetPenColor, pen_), 0x40302010u);
}

TEST(SolidFill, ColourCloneTypeDeleteAndBadArguments) {
  GpSolidFill* fill = nullptr;
  ASSERT_EQ(GdipCreateSolidFill(0x11223344, &fill), Ok);
  EXPECT_EQ(get(GdipGetSolidFillColor, fill), 0x11223344u);
  ASSERT_EQ(GdipSetSolidFillColor(fill, 0xAABBCCDD), Ok);
  GpBrush* brush = reinterpret_cast<GpBrush*>(fill);
  EXPECT_EQ(get(GdipGetBrushType, brush), BrushTypeSolidColor);
  GpBrush* clone = nullptr;
  ASSERT_EQ(GdipCloneBrush(brush, &clone), Ok);
  ASSERT_NE(clone, brush);
  ASSERT_EQ(GdipSetSolidFillColor(fill, 0), Ok);
  EXPECT_EQ(get(GdipGetSolidFillColor, reinterpret_cast<GpSolidFill*>(clone)), 0xAABBCCDDu);
  EXPECT_EQ(GdipDeleteBrush(clone), Ok);
  EXPECT_EQ(GdipDeleteBrush(brush), Ok);

  ARGB color = 0;
  BrushType type = BrushTypeSolidColor;
  expect_all({GdipCreateSolidFill(0, nullptr), GdipSetSolidFillColor(nullptr, 0),
              GdipGetSolidFillColor(nullptr, &color), GdipCloneBrush(nullptr, &clone), GdipDeleteBrush(nullptr),
              GdipGetBrushType(nullptr, &type)});
}

}  // namespace
