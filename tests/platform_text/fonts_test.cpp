// Fonts: face names mapped like Windows maps them, cell and em heights,
// width scaling, synthetic bold, italic and rotation, the realised-font
// cache, and glyphs made from several threads at once.
// Depends on: the fonts library directly (no DC), fontconfig's installed faces.
#include <gtest/gtest.h>

#include <thread>

#include "fonts/face_match.h"
#include "fonts/fonts.h"
#include "platform_text/text_test_util.h"

using platform::fonts::candidate_families;
using platform::fonts::realise;
using text_test::logfont;

namespace {

int coverage_sum(const platform::fonts::Glyph& g) {
  int sum = 0;
  for (uint8_t c : g.coverage) sum += c;
  return sum;
}

platform::fonts::GlyphRef glyph_of(const platform::fonts::Font& font, char32_t c) {
  return font.glyphs(&c, 1).front();
}

TEST(FaceNames, WindowsFacesAndPitchAndFamilyChooseTheGenericFamily) {
  const std::pair<const wchar_t*, const char*> known[] = {
      {L"SimSun", "monospace"}, {L"simsun", "monospace"},        {L"\u5b8b\u4f53", "monospace"},
      {L"Tahoma", "sans-serif"}, {L"System", "sans-serif"},      {L"MS Shell Dlg", "sans-serif"},
      {L"Times New Roman", "serif"},
  };
  for (const auto& [face, family] : known) EXPECT_EQ(candidate_families(logfont(16, face)).back(), family);
  EXPECT_EQ(candidate_families(logfont(16, L"SimSun")).front(), "SimSun");
  LOGFONTW f = logfont(16, L"No Such Face");
  EXPECT_EQ(candidate_families(f), (std::vector<std::string>{"No Such Face", "sans-serif"}));
  const std::pair<BYTE, const char*> pitch[] = {
      {FF_ROMAN, "serif"}, {FF_SWISS, "sans-serif"}, {FF_MODERN, "monospace"}, {FIXED_PITCH, "monospace"}};
  for (const auto& [bits, family] : pitch) {
    f.lfPitchAndFamily = bits;
    EXPECT_EQ(candidate_families(f).back(), family) << int(bits);
  }
  f.lfFaceName[0] = 0;
  EXPECT_EQ(candidate_families(f), (std::vector<std::string>{"monospace"}));
}

// (That SimSun is fixed pitch is pinned through its text metrics.)
TEST(FaceNames, SystemIsBoldAndProportional) {
  const auto system = realise(logfont(16, L"System"));
  EXPECT_EQ(system->metrics().weight, FW_BOLD);
  EXPECT_FALSE(system->metrics().fixed_pitch);
}

TEST(FontHeights, PositiveIsTheCellNegativeTheEm) {
  for (LONG h : {1, 7, 24, 100}) {
    const auto f = realise(logfont(h));
    EXPECT_EQ(f->metrics().height, h);
    EXPECT_EQ(f->metrics().ascent + f->metrics().descent, h);
  }
  // The cell of DejaVu is larger than its em.
  const auto em = realise(logfont(-24));
  EXPECT_GT(em->metrics().height, 24);
  EXPECT_EQ(em->metrics().internal_leading, em->metrics().height - 24);
  EXPECT_EQ(em->metrics().ascent + em->metrics().descent, em->metrics().height);
}

TEST(FontHeights, ZeroIsTheDefaultAndHugeIsBounded) {
  EXPECT_EQ(realise(logfont(0))->metrics().height, 16);
  EXPECT_EQ(realise(logfont(2000000000))->metrics().height, 2048);
  EXPECT_EQ(realise(logfont(INT32_MIN))->metrics().height, realise(logfont(-2048))->metrics().height);
}

TEST(FontWidths, WidthBecomesTheAverageCharacterWidth) {
  const auto natural = realise(logfont(32));
  const auto narrow = realise(logfont(32, L"SimSun", 6));
  const auto wide = realise(logfont(32, L"SimSun", -40));
  EXPECT_EQ(narrow->metrics().ave_char_width, 6);
  EXPECT_EQ(wide->metrics().ave_char_width, 40);
  // Every character of the fixed-pitch face advances by the average width.
  EXPECT_EQ(glyph_of(*narrow, U'm')->advance, 6);
  EXPECT_EQ(glyph_of(*wide, U'i')->advance, 40);
  EXPECT_LT(glyph_of(*narrow, U'M')->width, glyph_of(*natural, U'M')->width);
  EXPECT_EQ(narrow->metrics().height, 32);
}

TEST(FontStyles, BoldItalicUnderlineStrikeOut) {
  LOGFONTW f = logfont(32, L"DejaVu Sans");
  const auto regular = realise(f);
  f.lfWeight = FW_BOLD;
  const auto bold = realise(f);
  f.lfWeight = 0;
  f.lfItalic = 1;
  const auto italic = realise(f);
  EXPECT_EQ(regular->metrics().weight, FW_NORMAL);
  EXPECT_GT(coverage_sum(*glyph_of(*bold, U'l')), coverage_sum(*glyph_of(*regular, U'l')) * 5 / 4);
  // A slanted upright stroke covers more columns.
  EXPECT_GT(glyph_of(*italic, U'l')->width, glyph_of(*regular, U'l')->width);

  f.lfItalic = 0;
  f.lfUnderline = 1;
  f.lfStrikeOut = 1;
  const auto lined = realise(f);
  const auto& m = lined->metrics();
  EXPECT_TRUE(m.underline && m.strike_out);
  EXPECT_TRUE(m.underline_offset >= 0 && m.underline_offset + m.underline_thickness <= m.descent);
  EXPECT_TRUE(m.strikeout_offset > 0 && m.strikeout_offset <= m.ascent);
}

TEST(FontRotation, EscapementTurnsGlyphsCounterClockwise) {
  const auto upright = realise(logfont(48, L"DejaVu Sans"));
  const auto turned = realise(logfont(48, L"DejaVu Sans", 0, 900));
  const auto once_round = realise(logfont(48, L"DejaVu Sans", 0, 4500));
  const auto l = glyph_of(*upright, U'l'), t = glyph_of(*turned, U'l');
  EXPECT_GT(t->width, t->rows);  // lying on its side
  EXPECT_EQ(t->advance, l->advance);  // advances run along the baseline
  EXPECT_NEAR(turned->metrics().escapement, 3.141592653589793 / 2, 1e-12);
  EXPECT_NEAR(once_round->metrics().escapement, 3.141592653589793 / 2, 1e-12);
}

TEST(FontCache, SameRecordSameFontFaceNamesIgnoreCase) {
  const auto a = realise(logfont(20, L"SimSun"));
  EXPECT_EQ(realise(logfont(20, L"SIMSUN")), a);
  EXPECT_NE(realise(logfont(21, L"SimSun")), a);
}

TEST(FontGlyphs, SurrogatePairsAreOneCharacter) {
  const wchar_t text[] = {L'a', 0xD83D, 0xDE00, 0xDC00, L'b'};
  EXPECT_EQ(platform::fonts::code_points(text, 5), (std::u32string{U'a', 0x1F600, 0xDC00, U'b'}));
  EXPECT_EQ(platform::fonts::code_points(text, 2), (std::u32string{U'a', 0xD83D}));
}

TEST(FontThreads, FourThreadsRealiseAndRenderTogether) {
  std::vector<std::vector<int>> results(4);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &results] {
      for (int round = 0; round < 20; ++round) {
        const auto font = realise(logfont(10 + round % 7, round % 2 ? L"Tahoma" : L"SimSun", 0, (round % 3) * 450));
        const std::u32string text = U"Quillfern 0123456789";
        for (const auto& g : font->glyphs(text.data(), text.size())) results[t].push_back(coverage_sum(*g));
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int t = 1; t < 4; ++t) EXPECT_EQ(results[t], results[0]);
  EXPECT_FALSE(results[0].empty());
}

}  // namespace
