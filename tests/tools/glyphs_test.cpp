// The glyph images the build renders into the run folder's font/.
// Depends on: the glyph images the build renders and png_test_io (libpng).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tools/png_test_io.h"
#include "tools/tool_process.h"

namespace {

// Every code has a 50x100 8-bit RGB image; control codes and the blank are
// black, printable characters distinct light grey strokes on black.
TEST(GlyphImages, EveryCodeHasA50By100RgbImageOfItsCharacter) {
  std::set<std::vector<std::uint8_t>> distinct;
  for (int code = 0; code < 128; ++code) {
    SCOPED_TRACE(code);
    const std::string file = read_file(std::string(RUN_FONT_FOLDER) + "/" + std::to_string(code) + ".png");
    EXPECT_EQ(png_ihdr_of(file), png_ihdr(50, 100, 8, 2));
    const std::vector<std::uint8_t> rgba = decode_rgba(file);
    ASSERT_EQ(rgba.size(), 50u * 100u * 4u);
    const bool printable = code > 32 && code < 127;
    int full = 0, black = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
      ASSERT_TRUE(rgba[i] == rgba[i + 1] && rgba[i] == rgba[i + 2]);
      full += rgba[i] == 255;
      black += rgba[i] == 0;
    }
    if (!printable) {
      EXPECT_EQ(black, 50 * 100);
      continue;
    }
    EXPECT_GT(full, 20);                 // even '.' has solid stroke pixels
    EXPECT_GT(black, 50 * 100 * 6 / 10);  // the ground stays black
    // Nothing touches the cell's border, so scaled cells never bleed.
    for (int x = 0; x < 50; ++x) EXPECT_EQ(rgba[x * 4] | rgba[(99 * 50 + x) * 4], 0);
    distinct.insert(rgba);
  }
  EXPECT_EQ(distinct.size(), 94u);
}

}  // namespace
