// Colour conversions and two-colour blends with exact values, including
// hue wrapping, the lightness and saturation thresholds, clamped channels
// and a round trip over a grid of colours.
// Depends on: graphics/frond.h only; draws nothing.

#include <gtest/gtest.h>

#include <cmath>

#include "graphics/frond.h"

using namespace frond;

namespace {

TEST(Rgbtogray, WeightsTheChannelsAndRounds) {
  // Red 76.245, green 149.685, blue 29.07; alpha plays no part.
  const argb_color cases[][2] = {{0xFFFF0000, 0xFF4C4C4C}, {0x00FFFFFF, 0xFFFFFFFF}, {0x0000FF00, 0xFF969696},
                                 {0x000000FF, 0xFF1D1D1D}, {0x80000000, 0xFF000000}};
  for (const auto& c : cases) EXPECT_EQ(rgbtogray(c[0]), c[1]) << std::hex << c[0];
}

// Hue in (0, 360] for HSL (red is 360, greys 0) and in [0, 360) for HSV
// (greys -360); lightness and value in 0..1; alpha plays no part.
TEST(RgbtohslAndRgbtohsv, PrimariesGreysAndThresholds) {
  const struct {
    void (*convert)(argb_color, float*, float*, float*);
    argb_color c;
    float h, s, l;
  } cases[] = {
      {rgbtohsl, 0xFFFF0000, 360, 1, 0.5f},  {rgbtohsl, 0xFF00FF00, 120, 1, 0.5f},
      {rgbtohsl, 0xFF0000FF, 240, 1, 0.5f},  {rgbtohsl, 0xFFFFFF00, 60, 1, 0.5f},  // green the max, red the mid
      {rgbtohsl, 0xFF00FFFF, 180, 1, 0.5f},  {rgbtohsl, 0xFFFF00FF, 300, 1, 0.5f},
      {rgbtohsl, 0xFF808080, 0, 2 * (128 / 255.0f) - 1, 0.5f},
      {rgbtohsl, 0xFF000000, 0, 0, 0},       {rgbtohsl, 0x00FEFFFF, 0, 0, 1},
      {rgbtohsv, 0xFF404040, -360, 0, 64 / 255.0f},
      {rgbtohsv, 0xFF000000, -360, 0, 0},    {rgbtohsv, 0xFFFF0000, 0, 1, 1},
      {rgbtohsv, 0xFF00FF00, 120, 1, 1},     {rgbtohsv, 0xFF0000FF, 240, 1, 1},
      {rgbtohsv, 0xFFFF00FF, 300, 1, 1},     {rgbtohsv, 0xFF800000, 0, 1, 128 / 255.0f},
  };
  for (const auto& c : cases) {
    float h = -1, s = -1, l = -1;
    c.convert(c.c, &h, &s, &l);
    EXPECT_FLOAT_EQ(h, c.h) << std::hex << c.c;
    EXPECT_FLOAT_EQ(s, c.s) << std::hex << c.c;
    EXPECT_FLOAT_EQ(l, c.l) << std::hex << c.c;
  }
}

// Hue wraps every way; lightness and value above 1 are white; saturation
// above 1 holds the channels to 0..255; a hue that is not a number is 0 for
// HSL and black for HSV.
TEST(HslAndHsvToRgb, HueWrapsGreysAndClampedChannels) {
  const struct {
    argb_color (*convert)(float, float, float);
    float h, s, l;
    argb_color expected;
  } cases[] = {
      {hsltorgb, 0, 1, 0.5f, 0xFFFF0000},       {hsltorgb, 360, 1, 0.5f, 0xFFFF0000},
      {hsltorgb, -360, 1, 0.5f, 0xFFFF0000},    {hsltorgb, 720 + 120, 1, 0.5f, 0xFF00FF00},
      {hsltorgb, -120, 1, 0.5f, 0xFF0000FF},    {hsltorgb, 60, 1, 0.5f, 0xFFFFFF00},
      {hsltorgb, 30, 1, 0.5f, 0xFFFF8000},      {hsltorgb, 0, 1, 0.25f, 0xFF800000},
      {hsltorgb, 0, 1, 0.75f, 0xFFFF8080},      {hsltorgb, 0, 1, 1.5f, 0xFFFFFFFF},
      {hsltorgb, 0, 1, -1, 0xFF000000},         {hsltorgb, 123, 0, 0.5f, 0xFF808080},  // round(127.5)
      {hsltorgb, 0, 0, 0.2f, 0xFF333333},       {hsltorgb, 0, 0, 2.0f, 0xFFFFFFFF},
      {hsltorgb, 0, 0, -1.0f, 0xFF000000},      {hsltorgb, 0, 3, 0.5f, 0xFFFF0000},
      {hsltorgb, NAN, 1, 0.5f, 0xFFFF0000},     {hsvtorgb, 120, 1, 1, 0xFF00FF00},
      {hsvtorgb, 0, 1, 1, 0xFFFF0000},          {hsvtorgb, 360, 1, 1, 0xFFFF0000},
      {hsvtorgb, -120, 1, 1, 0xFF0000FF},       {hsvtorgb, 300, 1, 1, 0xFFFF00FF},
      {hsvtorgb, 60, 0.5f, 1, 0xFFFFFF80},      {hsvtorgb, 77, 0, 0.5f, 0xFF808080},
      {hsvtorgb, -360, -1, 1, 0xFFFFFFFF},      {hsvtorgb, 0, 0, 1.5f, 0xFFFFFFFF},
      {hsvtorgb, NAN, 1, 1, 0xFF000000},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.convert(c.h, c.s, c.l), c.expected) << (c.convert == hsltorgb ? "HSL " : "HSV ") << c.h << " " << c.s
                                                     << " " << c.l;
}

TEST(ColourConversions, RoundTripsOverAGrid) {
  for (uint32_t r = 0; r < 256; r += 17)
    for (uint32_t g = 0; g < 256; g += 17)
      for (uint32_t b = 0; b < 256; b += 17) {
        const argb_color c = 0xFF000000 | r << 16 | g << 8 | b;
        float h, s, v;
        rgbtohsv(c, &h, &s, &v);
        EXPECT_EQ(hsvtorgb(h, s, v), c) << std::hex << c;
      }
}

TEST(Blendcolor, MovesTheColourAndKeepsAlpha) {
  EXPECT_EQ(blendcolor(0x80102030, 0xFFFFFFFF, 0), 0x80102030u);
  EXPECT_EQ(blendcolor(0x80102030, 0x00A0B0C0, 255), 0x80A0B0C0u);
  EXPECT_EQ(blendcolor(0x80000000, 0x00FFFFFF, 128), 0x80808080u);
  EXPECT_EQ(blendcolor_f(0x80102030, 0x00A0B0C0, 255), 0x80A0B0C0u);
  EXPECT_EQ(blendcolor_f(0x80102030, 0x00A0B0C0, 0), 0x80102030u);
  EXPECT_EQ(blendcolor_f(0xFF000000, 0x0A0A0000, 64), 0xFF020000u);
}

TEST(Alphablendcolor, StraightSourceOver) {
  EXPECT_EQ(alphablendcolor(0x12345678, 0xFFABCDEF), 0xFFABCDEFu);
  EXPECT_EQ(alphablendcolor(0x12345678, 0x00ABCDEF), 0x12345678u);
  EXPECT_EQ(alphablendcolor(0xFF000000, 0x80FFFFFF), 0xFF808080u);
  EXPECT_EQ(alphablendcolor(0xFF000000, 0xFFFFFFFF, 128), 0xFF808080u);
  EXPECT_EQ(alphablendcolor(0x00000000, 0xFF0000FF, 100), 0x64000064u);
  EXPECT_EQ(alphablendcolor(0x12345678, 0xFFFFFFFF, 0), 0x12345678u);
}

TEST(Alphablendcolor, PremultipliedSourceRoundsDown) {
  EXPECT_EQ(alphablendcolor_premultiplied(0xFF204060, 0x80404040), 0xFF4F5F6Fu);
  EXPECT_EQ(alphablendcolor_premultiplied(0x12345678, 0x00000000), 0x12345678u);
  EXPECT_EQ(alphablendcolor_premultiplied(0x12345678, 0xFFABCDEF), 0xFFABCDEFu);
  // Scaled by 255: unchanged source; by 0: the destination.
  EXPECT_EQ(alphablendcolor_premultiplied(0xFF204060, 0x80404040, 255), 0xFF4F5F6Fu);
  EXPECT_EQ(alphablendcolor_premultiplied(0xFF204060, 0x80404040, 0), 0xFF204060u);
  // 0x80404040 scaled by 128: 0x40202020; keep 191.
  EXPECT_EQ(alphablendcolor_premultiplied(0xFF204060, 0x80404040, 128), 0xFF374F67u);
  // Not premultiplied: channels saturate rather than wrap.
  EXPECT_EQ(alphablendcolor_premultiplied(0xFFFFFFFF, 0x80FFFFFF), 0xFFFFFFFFu);
}

}  // namespace
