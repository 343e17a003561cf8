// pngslim run as a program: the same pixels as libpng reads from the input,
// 8-bit RGB or RGBA, never grey or interlaced, smaller than libpng's
// defaults on screenshots; failures leave no output. Inputs are written
// byte by byte (png_test_io).
// Depends on: the built pngslim, libpng and the benchmarks' screenshot-like
// picture; links none of the tool's code.
#include <gtest/gtest.h>

#include <string>

#include "tools/png_test_io.h"
#include "bench/support/synthetic_screenshot.h"
#include "tools/tool_process.h"

namespace {

constexpr int kRgb = 2, kRgba = 6, kGrey = 0, kGreyAlpha = 4, kPalette = 3;

class Pngslim : public ::testing::Test {
 protected:
  // Runs the tool on `input` (the bytes of a PNG file) and checks that the
  // result is 8-bit `colour_type`, not interlaced, with the input's size and
  // pixels; the size of the result.
  std::size_t expect_slimmed(const std::string& input, int colour_type) {
    write_file(dir / "in.png", input);
    EXPECT_EQ(run_program({PNGSLIM_PROGRAM, dir / "in.png", dir / "out.png"}), 0);
    const std::string output = read_file(dir / "out.png");
    EXPECT_EQ(png_ihdr_of(output), png_ihdr_of(input).substr(0, 8) + png_ihdr(0, 0, 8, colour_type).substr(8));
    const std::vector<std::uint8_t> pixels = decode_rgba(input);
    EXPECT_FALSE(pixels.empty());
    EXPECT_TRUE(decode_rgba(output) == pixels);
    return output.size();
  }

  ScratchFolder dir;
};

// Screenshots must come out smaller than libpng's defaults; flat pictures
// (a held white frame, a black screen) compress a thousandfold, where the
// encoder's block overhead shows, and must not lose to libpng. The inputs are
// plain files with libpng's mix of row filters: the tool's own reader's part.
TEST_F(Pngslim, PicturesKeepEveryPixelAndAreNoLargerThanLibpngDefaults) {
  std::vector<std::uint8_t> nearly_black(1600 * 900 * 3, 0);
  for (std::size_t i = 0; i < nearly_black.size(); i += 7919) nearly_black[i] = 0xFF;
  const struct {
    std::vector<std::uint8_t> rgb;
    int width, height;
    bool strictly_smaller;
  } cases[] = {
      {synthetic::screenshot(1600, 900), 1600, 900, true},
      {synthetic::screenshot(960, 540), 960, 540, true},
      {std::vector<std::uint8_t>(1600 * 900 * 3, 0x00), 1600, 900, false},
      {std::vector<std::uint8_t>(1600 * 900 * 3, 0xFF), 1600, 900, false},
      {nearly_black, 1600, 900, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    const std::string reference = default_libpng_png(c.rgb, c.width, c.height);
    EXPECT_LE(expect_slimmed(reference, kRgb) + c.strictly_smaller, reference.size());
  }
}

TEST_F(Pngslim, EveryInputLayoutBecomesEightBitRgbOrRgba) {
  std::vector<std::uint8_t> opaque = random_samples(40 * 30 * 4, 2);
  for (std::size_t i = 3; i < opaque.size(); i += 4) opaque[i] = 255;
  std::vector<std::uint8_t> last_translucent = opaque;
  last_translucent[40 * 30 * 4 - 1] = 254;
  const std::vector<std::uint8_t> palette = {10, 20, 30, 200, 100, 0, 0, 0, 255, 255, 255, 255};
  const struct {
    const char* name;
    PngSource source;
    int colour_type;
  } cases[] = {
      {"transparent RGBA", {61, 17, 8, kRgba, false, random_samples(61 * 17 * 4, 1), {}, {}}, kRgba},
      {"opaque RGBA drops alpha", {40, 30, 8, kRgba, false, opaque, {}, {}}, kRgb},
      {"only the last pixel translucent", {40, 30, 8, kRgba, false, last_translucent, {}, {}}, kRgba},
      {"grey", {33, 9, 8, kGrey, false, random_samples(33 * 9, 3), {}, {}}, kRgb},
      {"grey with alpha", {20, 10, 8, kGreyAlpha, false, random_samples(20 * 10 * 2, 4), {}, {}}, kRgba},
      {"1-bit grey", {10, 2, 1, kGrey, false, {0xAA, 0x80, 0x55, 0x40}, {}, {}}, kRgb},
      // 2-bit indices, 4 pixels a byte: row 0 = 0 1 2 3, row 1 = 3 2 1 0.
      {"palette with tRNS", {4, 2, 2, kPalette, false, {0x1B, 0xE4}, palette, {255, 128, 0}}, kRgba},
      {"opaque palette", {2, 2, 8, kPalette, false, {0, 1, 1, 0}, {1, 2, 3, 250, 251, 252}, {}}, kRgb},
      {"16-bit", {25, 7, 16, kRgb, false, random_samples(25 * 7 * 6, 5), {}, {}}, kRgb},
      {"interlaced", {37, 23, 8, kRgb, true, random_samples(37 * 23 * 3, 6), {}, {}}, kRgb},
      {"single pixel", {1, 1, 8, kRgb, false, {9, 8, 7}, {}, {}}, kRgb},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    expect_slimmed(png_file(c.source), c.colour_type);
  }
}

// A failing run exits 1, keeps an earlier output and leaves no stray file;
// a huge IHDR is refused before anything is allocated for it.
TEST_F(Pngslim, MissingUnreadableOrHugeInputsLeaveOutputAlone) {
  expect_refused_run({PNGSLIM_PROGRAM, dir / "absent.png", dir / "out.png"}, dir, dir / "out.png");
  const std::string good = png_file({64, 64, 8, kRgb, false, random_samples(64 * 64 * 3, 7), {}, {}});
  std::string bad_crc = good;
  bad_crc[30] = static_cast<char>(bad_crc[30] ^ 0xFF);  // inside the IHDR checksum
  const std::string huge = png_file({100000, 100000, 8, kRgb, false, {}, {}, {}});  // rows of no pixel data
  for (const std::string& input : {std::string(), std::string("not a picture at all"), good.substr(0, good.size() / 2),
                                   bad_crc, huge}) {
    write_file(dir / "in.png", input);
    expect_refused_run({PNGSLIM_PROGRAM, dir / "in.png", dir / "out.png"}, dir, dir / "out.png");
  }
}

}  // namespace
