// Raster operations: every ROP3 code against its truth table, bit by bit, on
// seeded random words; the fast paths against the general path; every code
// through BitBlt with a real source, destination and brush.
#include <gtest/gtest.h>

#include "gdi/rop.h"
#include "gdi_test_util.h"

using namespace platform::gdi;
using gdi_test::biased_word;
using gdi_test::TestDib;

namespace {

// The reference: look up each bit of the result in the table, index P*4 + S*2 + D.
uint32_t truth_table(uint8_t table, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t out = 0;
  for (int bit = 0; bit < 32; ++bit) {
    const int index = (((p >> bit) & 1) << 2) | (((s >> bit) & 1) << 1) | ((d >> bit) & 1);
    out |= uint32_t{(table >> index) & 1u} << bit;
  }
  return out;
}

TEST(Rop3, GeneralPathFollowsTheTruthTableForEveryCode) {
  for (int code = 0; code < 256; ++code) {
    std::mt19937 rng(static_cast<uint32_t>(code));
    for (int i = 0; i < 200; ++i) {
      const uint32_t p = biased_word(rng), s = biased_word(rng), d = biased_word(rng);
      ASSERT_EQ(rop3_apply(static_cast<uint8_t>(code), p, s, d), truth_table(static_cast<uint8_t>(code), p, s, d))
          << "code " << code << " iteration " << i;
    }
  }
}

TEST(Rop3, RowExecutorMatchesGeneralPathForEveryCode) {
  for (int code = 0; code < 256; ++code) {
    const auto table = static_cast<uint8_t>(code);
    std::mt19937 rng(1000u + static_cast<uint32_t>(code));
    const size_t n = 37;
    std::vector<uint32_t> pattern(8), src(n), dst(n);
    for (auto& w : pattern) w = biased_word(rng);
    for (auto& w : src) w = biased_word(rng);
    for (auto& w : dst) w = biased_word(rng);
    const int64_t x = rng() % 64;
    std::vector<uint32_t> expected(n);
    for (size_t i = 0; i < n; ++i) expected[i] = rop3_apply(table, pattern[(x + i) & 7], src[i], dst[i]);
    rop3_row(table, dst.data(), src.data(), pattern.data(), x, n);
    ASSERT_EQ(dst, expected) << "code " << code;
  }
}

TEST(Rop3, NamedCodesAndWhatTheyRead) {
  EXPECT_EQ(rop3_table(SRCCOPY), 0xCC);
  EXPECT_EQ(rop3_table(PATCOPY), 0xF0);
  EXPECT_EQ(rop3_table(DSTINVERT), 0x55);
  EXPECT_EQ(rop3_apply(rop3_table(SRCERASE), 0, 0xF0F0F0F0u, 0xFF00FF00u), 0x00F000F0u);  // S & ~D
  EXPECT_TRUE(rop3_uses_source(0xCC));
  EXPECT_FALSE(rop3_uses_pattern(0xCC));
  EXPECT_FALSE(rop3_uses_destination(0xCC));
  EXPECT_FALSE(rop3_uses_source(0xF0));
  EXPECT_TRUE(rop3_uses_pattern(0xF0));
  EXPECT_TRUE(rop3_uses_destination(0x55));
  EXPECT_FALSE(rop3_uses_source(0x55) || rop3_uses_pattern(0x55));
  EXPECT_FALSE(rop3_uses_source(0x00) || rop3_uses_pattern(0xFF) || rop3_uses_destination(0x00));
  EXPECT_TRUE(rop3_uses_source(rop3_table(MERGECOPY)) && rop3_uses_pattern(rop3_table(MERGECOPY)));
}

// Every code through BitBlt: the brush is the pattern (0x00RRGGBB), all 32
// bits of source and destination take part.
TEST(Rop3, BitBltAppliesEveryCodeToAll32Bits) {
  TestDib src(9, 5), dst(9, 5);
  const HBRUSH brush = CreateSolidBrush(RGB(0x12, 0xF0, 0x0F));
  const HGDIOBJ old_brush = SelectObject(dst.dc, brush);
  const uint32_t p = 0x0012F00Fu;
  for (int code = 0; code < 256; ++code) {
    src.randomize(static_cast<uint32_t>(code));
    dst.randomize(static_cast<uint32_t>(code) + 7777u);
    const std::vector<uint32_t> s = src.pixels(), d = dst.pixels();
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 9, 5, src.dc, 0, 0, static_cast<DWORD>(code) << 16));
    const std::vector<uint32_t> out = dst.pixels();
    for (size_t i = 0; i < out.size(); ++i) {
      ASSERT_EQ(out[i], truth_table(static_cast<uint8_t>(code), p, s[i], d[i])) << "code " << code << " pixel " << i;
    }
  }
  SelectObject(dst.dc, old_brush);
  EXPECT_TRUE(DeleteObject(brush));
}

TEST(Rop3, DocumentedExamples) {
  TestDib src(1, 1), dst(1, 1);
  src.set(0, 0, 0xFF123456u);
  ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, NOTSRCCOPY));
  EXPECT_EQ(dst.get(0, 0), 0x00EDCBA9u);

  src.set(0, 0, 0xFFFFFFFFu);
  const HBRUSH brush = CreateSolidBrush(0x004BFE5Bu);
  const HGDIOBJ old = SelectObject(dst.dc, brush);
  ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, MERGECOPY));
  EXPECT_EQ(dst.get(0, 0), 0x005BFE4Bu);
  SelectObject(dst.dc, old);
  DeleteObject(brush);

  ASSERT_TRUE(PatBlt(dst.dc, 0, 0, 1, 1, WHITENESS));
  EXPECT_EQ(dst.get(0, 0), 0xFFFFFFFFu);
  ASSERT_TRUE(PatBlt(dst.dc, 0, 0, 1, 1, DSTINVERT));
  EXPECT_EQ(dst.get(0, 0), 0x00000000u);
}

}  // namespace
