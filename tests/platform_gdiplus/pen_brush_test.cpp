#include <gtest/gtest.h>

#include <vector>

#include "platform/gdiplus.h"

using namespace Gdiplus;

namespace {

class PenTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GdipCreatePen1(0xFF102030, 2.5f, UnitPixel, &pen_), Ok); }
  void TearDown() override { EXPECT_EQ(GdipDeletePen(pen_), Ok); }

  std::vector<REAL> dashes(GpPen* pen) {
    INT count = -1;
    EXPECT_EQ(GdipGetPenDashCount(pen, &count), Ok);
    std::vector<REAL> values(count);
    if (count > 0) {
      EXPECT_EQ(GdipGetPenDashArray(pen, values.data(), count), Ok);
    }
    return values;
  }

  GpPen* pen_ = nullptr;
};

TEST_F(PenTest, NewPenHasGdiplusDefaults) {
  ARGB color = 0;
  REAL width = 0, miter = 0;
  GpUnit unit = UnitWorld;
  DashStyle dash = DashStyleCustom;
  GpLineCap start = LineCapRound, end = LineCapRound;
  GpLineJoin join = LineJoinRound;
  EXPECT_EQ(GdipGetPenColor(pen_, &color), Ok);
  EXPECT_EQ(color, 0xFF102030u);
  EXPECT_EQ(GdipGetPenWidth(pen_, &width), Ok);
  EXPECT_EQ(width, 2.5f);
  EXPECT_EQ(GdipGetPenUnit(pen_, &unit), Ok);
  EXPECT_EQ(unit, UnitPixel);
  EXPECT_EQ(GdipGetPenDashStyle(pen_, &dash), Ok);
  EXPECT_EQ(dash, DashStyleSolid);
  EXPECT_TRUE(dashes(pen_).empty());
  EXPECT_EQ(GdipGetPenStartCap(pen_, &start), Ok);
  EXPECT_EQ(start, LineCapFlat);
  EXPECT_EQ(GdipGetPenEndCap(pen_, &end), Ok);
  EXPECT_EQ(end, LineCapFlat);
  EXPECT_EQ(GdipGetPenLineJoin(pen_, &join), Ok);
  EXPECT_EQ(join, LineJoinMiter);
  EXPECT_EQ(GdipGetPenMiterLimit(pen_, &miter), Ok);
  EXPECT_EQ(miter, 10.0f);
}

TEST_F(PenTest, CreationChecksWidthAndUnit) {
  GpPen* pen = nullptr;
  EXPECT_EQ(GdipCreatePen1(0xFF000000, -1, UnitWorld, &pen), InvalidParameter);
  EXPECT_EQ(GdipCreatePen1(0xFF000000, 1, static_cast<GpUnit>(7), &pen), InvalidParameter);
  EXPECT_EQ(GdipCreatePen1(0xFF000000, 1, UnitWorld, nullptr), InvalidParameter);
  EXPECT_EQ(pen, nullptr);
  ASSERT_EQ(GdipCreatePen1(0xFF000000, 0, UnitWorld, &pen), Ok);  // zero: the thinnest line
  GdipDeletePen(pen);
}

TEST_F(PenTest, SettersRoundTrip) {
  ARGB color = 0;
  REAL width = 0;
  GpLineCap cap = LineCapFlat;
  GpLineJoin join = LineJoinMiter;
  ASSERT_EQ(GdipSetPenColor(pen_, 0x80ABCDEF), Ok);
  EXPECT_EQ(GdipGetPenColor(pen_, &color), Ok);
  EXPECT_EQ(color, 0x80ABCDEFu);
  ASSERT_EQ(GdipSetPenWidth(pen_, 7.25f), Ok);
  EXPECT_EQ(GdipGetPenWidth(pen_, &width), Ok);
  EXPECT_EQ(width, 7.25f);
  for (GpLineCap value : {LineCapSquare, LineCapRound, LineCapTriangle, LineCapNoAnchor, LineCapArrowAnchor}) {
    ASSERT_EQ(GdipSetPenStartCap(pen_, value), Ok);
    EXPECT_EQ(GdipGetPenStartCap(pen_, &cap), Ok);
    EXPECT_EQ(cap, value);
    ASSERT_EQ(GdipSetPenEndCap(pen_, value), Ok);
    EXPECT_EQ(GdipGetPenEndCap(pen_, &cap), Ok);
    EXPECT_EQ(cap, value);
  }
  for (GpLineJoin value : {LineJoinBevel, LineJoinRound, LineJoinMiterClipped, LineJoinMiter}) {
    ASSERT_EQ(GdipSetPenLineJoin(pen_, value), Ok);
    EXPECT_EQ(GdipGetPenLineJoin(pen_, &join), Ok);
    EXPECT_EQ(join, value);
  }
}

TEST_F(PenTest, InvalidValuesAreRejectedAndChangeNothing) {
  EXPECT_EQ(GdipSetPenWidth(pen_, -0.5f), InvalidParameter);
  EXPECT_EQ(GdipSetPenStartCap(pen_, static_cast<GpLineCap>(4)), InvalidParameter);
  EXPECT_EQ(GdipSetPenEndCap(pen_, LineCapCustom), InvalidParameter);
  EXPECT_EQ(GdipSetPenDashStyle(pen_, static_cast<DashStyle>(6)), InvalidParameter);
  REAL width = 0;
  GpLineCap cap = LineCapRound;
  DashStyle dash = DashStyleCustom;
  EXPECT_EQ(GdipGetPenWidth(pen_, &width), Ok);
  EXPECT_EQ(width, 2.5f);
  EXPECT_EQ(GdipGetPenEndCap(pen_, &cap), Ok);
  EXPECT_EQ(cap, LineCapFlat);
  EXPECT_EQ(GdipGetPenDashStyle(pen_, &dash), Ok);
  EXPECT_EQ(dash, DashStyleSolid);
  EXPECT_EQ(GdipSetPenColor(nullptr, 0), InvalidParameter);
  EXPECT_EQ(GdipGetPenColor(pen_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetPenMiterLimit(nullptr, &width), InvalidParameter);
  EXPECT_EQ(GdipClonePen(pen_, nullptr), InvalidParameter);
  EXPECT_EQ(GdipDeletePen(nullptr), InvalidParameter);
  EXPECT_EQ(GdipSetPenBrushFill(pen_, nullptr), InvalidParameter);
}

TEST_F(PenTest, PredefinedDashStylesBringTheirPatterns) {
  DashStyle style = DashStyleSolid;
  ASSERT_EQ(GdipSetPenDashStyle(pen_, DashStyleDash), Ok);
  EXPECT_EQ(GdipGetPenDashStyle(pen_, &style), Ok);
  EXPECT_EQ(style, DashStyleDash);
  EXPECT_EQ(dashes(pen_), (std::vector<REAL>{3, 1}));
  ASSERT_EQ(GdipSetPenDashStyle(pen_, DashStyleDot), Ok);
  EXPECT_EQ(dashes(pen_), (std::vector<REAL>{1, 1}));
  ASSERT_EQ(GdipSetPenDashStyle(pen_, DashStyleDashDotDot), Ok);
  EXPECT_EQ(dashes(pen_), (std::vector<REAL>{3, 1, 1, 1, 1, 1}));
  ASSERT_EQ(GdipSetPenDashStyle(pen_, DashStyleSolid), Ok);
  EXPECT_TRUE(dashes(pen_).empty());
}

TEST_F(PenTest, CustomDashArrayNeedsPositiveEntries) {
  const REAL pattern[] = {2, 0.5f, 4};
  ASSERT_EQ(GdipSetPenDashArray(pen_, pattern, 3), Ok);
  DashStyle style = DashStyleSolid;
  EXPECT_EQ(GdipGetPenDashStyle(pen_, &style), Ok);
  EXPECT_EQ(style, DashStyleCustom);
  EXPECT_EQ(dashes(pen_), (std::vector<REAL>{2, 0.5f, 4}));

  const REAL with_zero[] = {1, 0};
  const REAL with_negative[] = {1, -2};
  EXPECT_EQ(GdipSetPenDashArray(pen_, with_zero, 2), InvalidParameter);
  EXPECT_EQ(GdipSetPenDashArray(pen_, with_negative, 2), InvalidParameter);
  EXPECT_EQ(GdipSetPenDashArray(pen_, pattern, 0), InvalidParameter);
  EXPECT_EQ(GdipSetPenDashArray(pen_, nullptr, 2), InvalidParameter);
  EXPECT_EQ(dashes(pen_), (std::vector<REAL>{2, 0.5f, 4}));

  REAL too_small[2];
  EXPECT_EQ(GdipGetPenDashArray(pen_, too_small, 2), InsufficientBuffer);
  ASSERT_EQ(GdipSetPenDashStyle(pen_, DashStyleCustom), Ok);  // keeps the custom pattern
  EXPECT_EQ(dashes(pen_), (std::vector<REAL>{2, 0.5f, 4}));
}

TEST_F(PenTest, MiterLimitBelowOneIsStoredAsOne) {
  REAL limit = 0;
  ASSERT_EQ(GdipSetPenMiterLimit(pen_, 0.25f), Ok);
  EXPECT_EQ(GdipGetPenMiterLimit(pen_, &limit), Ok);
  EXPECT_EQ(limit, 1.0f);
  ASSERT_EQ(GdipSetPenMiterLimit(pen_, 3.5f), Ok);
  EXPECT_EQ(GdipGetPenMiterLimit(pen_, &limit), Ok);
  EXPECT_EQ(limit, 3.5f);
}

TEST_F(PenTest, BrushFillIsCopiedIntoThePen) {
  GpSolidFill* fill = nullptr;
  ASSERT_EQ(GdipCreateSolidFill(0x40302010, &fill), Ok);
  ASSERT_EQ(GdipSetPenBrushFill(pen_, reinterpret_cast<GpBrush*>(fill)), Ok);
  ASSERT_EQ(GdipSetSolidFillColor(fill, 0xFFFFFFFF), Ok);
  ASSERT_EQ(GdipDeleteBrush(reinterpret_cast<GpBrush*>(fill)), Ok);
  ARGB color = 0;
  EXPECT_EQ(GdipGetPenColor(pen_, &color), Ok);
  EXPECT_EQ(color, 0x40302010u);
}

TEST_F(PenTest, CloneIsIndependent) {
  ASSERT_EQ(GdipSetPenDashStyle(pen_, DashStyleDashDot), Ok);
  GpPen* clone = nullptr;
  ASSERT_EQ(GdipClonePen(pen_, &clone), Ok);
  ASSERT_EQ(GdipSetPenColor(pen_, 0xFF000000), Ok);
  ASSERT_EQ(GdipSetPenWidth(pen_, 9), Ok);
  ARGB color = 0;
  REAL width = 0;
  EXPECT_EQ(GdipGetPenColor(clone, &color), Ok);
  EXPECT_EQ(color, 0xFF102030u);
  EXPECT_EQ(GdipGetPenWidth(clone, &width), Ok);
  EXPECT_EQ(width, 2.5f);
  EXPECT_EQ(dashes(clone), (std::vector<REAL>{3, 1, 1, 1}));
  GdipDeletePen(clone);
}

TEST(SolidFill, ColourCloneTypeAndDelete) {
  GpSolidFill* fill = nullptr;
  ASSERT_EQ(GdipCreateSolidFill(0x11223344, &fill), Ok);
  ARGB color = 0;
  EXPECT_EQ(GdipGetSolidFillColor(fill, &color), Ok);
  EXPECT_EQ(color, 0x11223344u);
  ASSERT_EQ(GdipSetSolidFillColor(fill, 0xAABBCCDD), Ok);

  GpBrush* brush = reinterpret_cast<GpBrush*>(fill);
  BrushType type = BrushTypeLinearGradient;
  EXPECT_EQ(GdipGetBrushType(brush, &type), Ok);
  EXPECT_EQ(type, BrushTypeSolidColor);
  GpBrush* clone = nullptr;
  ASSERT_EQ(GdipCloneBrush(brush, &clone), Ok);
  ASSERT_NE(clone, brush);
  ASSERT_EQ(GdipSetSolidFillColor(fill, 0), Ok);
  EXPECT_EQ(GdipGetSolidFillColor(reinterpret_cast<GpSolidFill*>(clone), &color), Ok);
  EXPECT_EQ(color, 0xAABBCCDDu);

  EXPECT_EQ(GdipDeleteBrush(clone), Ok);
  EXPECT_EQ(GdipDeleteBrush(brush), Ok);
}

TEST(SolidFill, RejectsBadArguments) {
  ARGB color = 0;
  GpBrush* clone = nullptr;
  BrushType type = BrushTypeSolidColor;
  EXPECT_EQ(GdipCreateSolidFill(0, nullptr), InvalidParameter);
  EXPECT_EQ(GdipSetSolidFillColor(nullptr, 0), InvalidParameter);
  EXPECT_EQ(GdipGetSolidFillColor(nullptr, &color), InvalidParameter);
  EXPECT_EQ(GdipCloneBrush(nullptr, &clone), InvalidParameter);
  EXPECT_EQ(GdipDeleteBrush(nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetBrushType(nullptr, &type), InvalidParameter);
}

}  // namespace
