// The format decoders behind the platform decoder: GIF, TIFF, JPEG and PNG
// files of known content decode to straight ARGB, and canvases larger than
// their data could fill are refused before memory is taken for them. Damaged
// files: the exact results are in bmp_reader_test.cpp, crashes are the
// fuzzers' (tests/fuzz). Depends on: encoders.h, bmp_builder.h, tests/support's
// PNG builder.
#include <gtest/gtest.h>

#include <vector>

#include "imaging/decoder.h"
#include "platform_imaging/bmp_builder.h"
#include "platform_imaging/encoders.h"
#include "support/png_builder.h"
#include "support/resident_memory.h"

namespace {

using imaging_test::gif_fields;
using platform::imaging::ArgbImage;
using platform::imaging::decode;
using platform::imaging::decode_result;

std::vector<uint32_t> pixels_of(ArgbImage& image) {
  return std::vector<uint32_t>(image.row(0), image.row(0) + size_t(image.width) * image.height);
}

ArgbImage decoded(const std::vector<uint8_t>& file) {
  ArgbImage image;
  EXPECT_EQ(decode(file.data(), file.size(), image), decode_result::ok);
  return image;
}

void expect_near_argb(uint32_t actual, uint32_t expected, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8)
    EXPECT_NEAR(int((actual >> shift) & 0xFF), int((expected >> shift) & 0xFF), tolerance)
        << std::hex << actual << " vs " << expected;
}

TEST(GifDecoder, FirstFrameAtItsOffsetWithTransparency) {
  gif_fields s;
  s.screen_width = 4;
  s.screen_height = 3;
  s.left = 1;
  s.top = 1;
  s.width = 2;
  s.height = 2;
  s.transparent = 2;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  s.indices = {0, 1, 2, 0};
  ArgbImage image = decoded(imaging_test::make_gif(s));
  ASSERT_EQ(image.width, 4u);
  ASSERT_EQ(image.height, 3u);
  EXPECT_EQ(pixels_of(image), (std::vector<uint32_t>{0, 0, 0, 0,                    //
                                                     0, 0xFFFF0000, 0xFF00FF00, 0,  //
                                                     0, 0, 0xFFFF0000, 0}));
}

TEST(GifDecoder, InterlacedRowsLandInPlace) {
  gif_fields s;
  s.screen_width = s.width = 1;
  s.screen_height = s.height = 10;
  s.interlace = true;
  for (uint32_t i = 0; i < 10; ++i) {
    s.palette.push_back(i * 0x010101);
    s.indices.push_back(uint8_t(i));
  }
  ArgbImage image = decoded(imaging_test::make_gif(s));
  ASSERT_EQ(image.height, 10u);
  for (uint32_t y = 0; y < 10; ++y) EXPECT_EQ(image.row(y)[0], 0xFF000000u | y * 0x010101) << y;
}

TEST(TiffDecoder, UnassociatedAlphaComesBackStraight) {
  const std::vector<uint32_t> source = {0xFF102030, 0x80FF8040, 0x00123456, 0x40FFFFFF};
  ArgbImage image = decoded(imaging_test::make_tiff_rgba(2, 2, source));
  ASSERT_EQ(image.width, 2u);
  ASSERT_EQ(image.height, 2u);
  EXPECT_EQ(image.row(0)[0], 0xFF102030u);
  expect_near_argb(image.row(0)[1], 0x80FF8040, 2);
  EXPECT_EQ(image.row(1)[0], 0u);  // fully transparent: colour is gone once premultiplied
  expect_near_argb(image.row(1)[1], 0x40FFFFFF, 4);
}

TEST(JpegDecoder, ColourAndGreyAreOpaqueAndClose) {
  std::vector<uint8_t> rgb;
  for (int i = 0; i < 16 * 16; ++i) rgb.insert(rgb.end(), {200, 100, 50});
  ArgbImage colour = decoded(imaging_test::make_jpeg(16, 16, 3, rgb));
  ASSERT_EQ(colour.width, 16u);
  for (uint32_t p : pixels_of(colour)) expect_near_argb(p, 0xFFC86432, 3);

  std::vector<uint8_t> grey(8 * 8, 77);
  ArgbImage mono = decoded(imaging_test::make_jpeg(8, 8, 1, grey));
  ASSERT_EQ(mono.height, 8u);
  for (uint32_t p : pixels_of(mono)) expect_near_argb(p, 0xFF4D4D4D, 1);
}

TEST(PngDecoder, StraightAlphaFromTheSimplifiedReader) {
  const std::vector<std::vector<uint8_t>> rgba = {{255, 0, 0, 255, 0, 255, 0, 128}, {0, 0, 255, 0, 10, 20, 30, 200}};
  ArgbImage image = decoded(test_support::build_png(2, 2, 8, 6, rgba));
  ASSERT_EQ(image.width, 2u);
  EXPECT_EQ(image.row(0)[0], 0xFFFF0000u);
  EXPECT_EQ(image.row(0)[1], 0x8000FF00u);
  EXPECT_EQ(image.row(1)[0] >> 24, 0u);
  EXPECT_EQ(image.row(1)[1], 0xC80A141Eu);
}

// A header announcing far more pixels than the rest of the file could fill
// (a 16384 x 16384 canvas from a few dozen bytes) is refused before the
// canvas's gigabyte is taken.
TEST(Decode, CanvasesLargerThanTheirDataCouldFillAreRefusedUnallocated) {
  gif_fields g;
  g.screen_width = g.screen_height = 16384;
  g.width = g.height = 1;
  g.palette = {0x123456, 0x654321};
  g.indices = {1};
  std::vector<uint8_t> jpeg = imaging_test::make_jpeg(8, 8, 1, std::vector<uint8_t>(64, 90));
  for (size_t i = 0; i + 8 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {  // start of frame: height, then width
      jpeg[i + 5] = jpeg[i + 7] = 0x40;
      jpeg[i + 6] = jpeg[i + 8] = 0x00;
      break;
    }
  for (const std::vector<uint8_t>& file : {imaging_test::make_gif(g), jpeg}) {
    const long before = resident_kib();
    reset_peak_resident();
    ArgbImage image;
    EXPECT_EQ(decode(file.data(), file.size(), image), decode_result::failed);
    EXPECT_LT(peak_resident_kib() - before, 64 * 1024 + sanitizer_allowance_kib);
  }
  // Where the data could fill the canvas, the same frame decodes.
  g.screen_width = g.screen_height = 64;
  EXPECT_EQ(decoded(imaging_test::make_gif(g)).width, 64u);
}

}  // namespace
