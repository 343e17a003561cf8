// pngslim run as a program: the same pixels, 8-bit RGB or RGBA, never grey
// or interlaced, smaller than libpng's defaults on screenshots; failures
// leave no output. Inputs are written with libpng (png_test_io).
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>

#include "tools/png_test_io.h"
#include "bench/support/synthetic_screenshot.h"
#include "tools/tool_process.h"

namespace {

constexpr int kRgb = 2, kRgba = 6, kGrey = 0, kGreyAlpha = 4, kPalette = 3;

std::vector<std::uint8_t> random_samples(std::size_t size, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  return bytes;
}

class Pngslim : public ::testing::Test {
 protected:
  int pngslim(const std::string& in, const std::string& out, const std::string& folder = "") {
    return run_program({PNGSLIM_PROGRAM, in, out}, folder);
  }
  // Runs the tool on `input` (the bytes of a PNG file) and checks the
  // result's header and pixels; the size of the result.
  std::size_t expect_slimmed(const std::string& input, std::uint32_t width, std::uint32_t height,
                             const std::vector<std::uint8_t>& expected_rgba, int colour_type) {
    write_file(dir / "in.png", input);
    EXPECT_EQ(pngslim(dir / "in.png", dir / "out.png"), 0);
    const PngHeader h = read_header(dir / "out.png");
    EXPECT_EQ(h.width, width);
    EXPECT_EQ(h.height, height);
    EXPECT_EQ(h.bit_depth, 8);
    EXPECT_EQ(h.colour_type, colour_type);
    EXPECT_EQ(h.interlace, 0);
    EXPECT_TRUE(decode_rgba(dir / "out.png") == expected_rgba);
    return read_file(dir / "out.png").size();
  }
  // A failing run exits 1, keeps an earlier output and leaves no stray file.
  void expect_refused(const std::string& input_bytes) {
    write_file(dir / "in.png", input_bytes);
    write_file(dir / "out.png", "earlier output");
    EXPECT_EQ(pngslim(dir / "in.png", dir / "out.png"), 1);
    EXPECT_EQ(read_file(dir / "out.png"), "earlier output");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"in.png", "out.png"}));
  }

  ScratchFolder dir;
};

// Screenshots must come out smaller than libpng's defaults; flat pictures
// (a held white frame, a black screen) compress a thousandfold, where the
// encoder's block overhead shows, and must not lose to libpng.
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
      {std::vector<std::uint8_t>(1600 * 900 * 3, 0x80), 1600, 900, false},
      {nearly_black, 1600, 900, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    // The input is what libpng writes with its defaults; the output may not
    // be larger (must be smaller, for screenshots).
    const std::string reference = default_libpng_png(c.rgb, c.width, c.height);
    const std::size_t size = expect_slimmed(reference, c.width, c.height, with_opaque_alpha(c.rgb), kRgb);
    EXPECT_LE(size + c.strictly_smaller, reference.size());
  }
}

TEST_F(Pngslim, EveryInputLayoutBecomesEightBitRgbOrRgba) {
  using bytes = std::vector<std::uint8_t>;
  const bytes rgba = random_samples(61 * 17 * 4, 1), grey = random_samples(33 * 9, 3),
              grey_alpha = random_samples(20 * 10 * 2, 4), eight = random_samples(25 * 7 * 3, 5),
              rgb = random_samples(37 * 23 * 3, 6);
  bytes opaque = random_samples(40 * 30 * 4, 2), grey_rgba, grey_alpha_rgba, one_bit_rgba, sixteen;
  for (std::size_t i = 3; i < opaque.size(); i += 4) opaque[i] = 255;
  bytes last_translucent = opaque;
  last_translucent.back() = 254;
  for (std::uint8_t v : grey) grey_rgba.insert(grey_rgba.end(), {v, v, v, 255});
  for (std::size_t i = 0; i < grey_alpha.size(); i += 2)
    grey_alpha_rgba.insert(grey_alpha_rgba.end(), {grey_alpha[i], grey_alpha[i], grey_alpha[i], grey_alpha[i + 1]});
  for (int i = 0; i < 20; ++i) {  // 1-bit rows 1010101010 and 0101010101, padded
    const std::uint8_t v = (i % 10 + i / 10) % 2 == 0 ? 255 : 0;
    one_bit_rgba.insert(one_bit_rgba.end(), {v, v, v, 255});
  }
  for (std::uint8_t v : eight) sixteen.insert(sixteen.end(), {v, v});  // v * 257, big-endian
  const bytes palette = {10, 20, 30, 200, 100, 0, 0, 0, 255, 255, 255, 255}, opaque_palette = {1, 2, 3, 250, 251, 252};
  const struct {
    const char* name;
    PngSource source;
    bytes expected;
    int colour_type;
  } cases[] = {
      {"transparent RGBA", {61, 17, 8, kRgba, false, rgba, {}, {}}, rgba, kRgba},
      {"opaque RGBA drops alpha", {40, 30, 8, kRgba, false, opaque, {}, {}}, opaque, kRgb},
      {"only the last pixel translucent", {40, 30, 8, kRgba, false, last_translucent, {}, {}}, last_translucent, kRgba},
      {"grey", {33, 9, 8, kGrey, false, grey, {}, {}}, grey_rgba, kRgb},
      {"grey with alpha", {20, 10, 8, kGreyAlpha, false, grey_alpha, {}, {}}, grey_alpha_rgba, kRgba},
      {"1-bit grey", {10, 2, 1, kGrey, false, {0xAA, 0x80, 0x55, 0x40}, {}, {}}, one_bit_rgba, kRgb},
      // 2-bit indices, 4 pixels a byte: row 0 = 0 1 2 3, row 1 = 3 2 1 0.
      {"palette with tRNS",
       {4, 2, 2, kPalette, false, {0x1B, 0xE4}, palette, {255, 128, 0}},
       {10, 20, 30, 255, 200, 100, 0, 128, 0, 0, 255, 0, 255, 255, 255, 255,
        255, 255, 255, 255, 0, 0, 255, 0, 200, 100, 0, 128, 10, 20, 30, 255},
       kRgba},
      {"opaque palette",
       {2, 2, 8, kPalette, false, {0, 1, 1, 0}, opaque_palette, {}},
       {1, 2, 3, 255, 250, 251, 252, 255, 250, 251, 252, 255, 1, 2, 3, 255},
       kRgb},
      {"16-bit", {25, 7, 16, kRgb, false, sixteen, {}, {}}, with_opaque_alpha(eight), kRgb},
      {"interlaced", {37, 23, 8, kRgb, true, rgb, {}, {}}, with_opaque_alpha(rgb), kRgb},
      {"single pixel", {1, 1, 8, kRgb, false, {9, 8, 7}, {}, {}}, {9, 8, 7, 255}, kRgb},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(write_png(dir / "source.png", c.source));
    expect_slimmed(read_file(dir / "source.png"), c.source.width, c.source.height, c.expected, c.colour_type);
  }
}

// A failing run exits 1, keeps an earlier output and leaves no stray file;
// a huge IHDR is refused before anything is allocated for it.
TEST_F(Pngslim, MissingUnreadableOrHugeInputsLeaveOutputAlone) {
  write_file(dir / "out.png", "earlier output");
  EXPECT_EQ(pngslim(dir / "absent.png", dir / "out.png"), 1);
  EXPECT_EQ(read_file(dir / "out.png"), "earlier output");
  PngSource s{64, 64, 8, kRgb, false, random_samples(64 * 64 * 3, 7), {}, {}};
  ASSERT_TRUE(write_png(dir / "good.png", s));
  const std::string good = read_file(dir / "good.png");
  std::remove((dir / "good.png").c_str());
  std::string bad_crc = good;
  bad_crc[30] = static_cast<char>(bad_crc[30] ^ 0xFF);  // inside the IHDR checksum
  // Signature and an IHDR of 100000 x 100000 RGB, then IEND: no pixel data.
  std::string huge("\x89PNG\r\n\x1a\n", 8);
  const unsigned char ihdr[] = {0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 1, 0x86, 0xA0, 0, 1, 0x86, 0xA0, 8, 2, 0, 0, 0};
  const uLong crc = crc32(0, ihdr + 4, sizeof ihdr - 4);
  huge.append(reinterpret_cast<const char*>(ihdr), sizeof ihdr);
  for (int shift = 24; shift >= 0; shift -= 8) huge += static_cast<char>(crc >> shift);
  huge.append("\0\0\0\0IEND\xae\x42\x60\x82", 12);
  for (const std::string& input : {std::string(), std::string("not a picture at all"), good.substr(0, good.size() / 2),
                                   bad_crc, huge})
    expect_refused(input);
}

}  // namespace
