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

ArgbImage decoded(const std::vector<uint8_t>& file) {
  ArgbImage image;
  EXPECT_EQ(decode(file.data(), file.size(), image), decode_result::ok);
  return image;
}

// One row per file of known content: its width and pixels, top row first,
// each channel within `tolerance` (lossy JPEG, TIFF's premultiplied round trip).
TEST(Decoders, FilesOfKnownContentGiveStraightArgb) {
  gif_fields offset;  // a 2x2 frame at (1, 1) on a 4x3 screen, index 2 transparent
  offset.screen_width = 4, offset.screen_height = 3;
  offset.left = offset.top = 1, offset.width = offset.height = 2;
  offset.transparent = 2;
  offset.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  offset.indices = {0, 1, 2, 0};
  gif_fields interlaced;  // one column of ten greys, stored in the four passes' order
  interlaced.screen_width = interlaced.width = 1;
  interlaced.screen_height = interlaced.height = 10;
  interlaced.interlace = true;
  std::vector<uint32_t> greys;
  for (uint32_t i = 0; i < 10; ++i) {
    interlaced.palette.push_back(i * 0x010101);
    interlaced.indices.push_back(uint8_t(i));
    greys.push_back(0xFF000000u | i * 0x010101);
  }
  std::vector<uint8_t> rgb;
  for (int i = 0; i < 16 * 16; ++i) rgb.insert(rgb.end(), {200, 100, 50});
  const std::vector<std::vector<uint8_t>> rgba = {{255, 0, 0, 255, 0, 255, 0, 128}, {0, 0, 255, 0, 10, 20, 30, 200}};
  const struct {
    const char* what;
    std::vector<uint8_t> file;
    uint32_t width;
    std::vector<uint32_t> pixels;
    int tolerance;
  } rows[] = {
      {"GIF frame at its offset", imaging_test::make_gif(offset), 4,
       {0, 0, 0, 0, 0, 0xFFFF0000, 0xFF00FF00, 0, 0, 0, 0xFFFF0000, 0}, 0},
      {"GIF interlaced", imaging_test::make_gif(interlaced), 1, greys, 0},
      // Fully transparent: the colour is gone once premultiplied.
      {"TIFF unassociated alpha", imaging_test::make_tiff_rgba(2, 2, {0xFF102030, 0x80FF8040, 0x00123456, 0x40FFFFFF}),
       2, {0xFF102030, 0x80FF8040, 0, 0x40FFFFFF}, 4},
      {"JPEG colour", imaging_test::make_jpeg(16, 16, 3, rgb), 16, std::vector<uint32_t>(256, 0xFFC86432), 3},
      {"JPEG grey", imaging_test::make_jpeg(8, 8, 1, std::vector<uint8_t>(64, 77)), 8,
       std::vector<uint32_t>(64, 0xFF4D4D4D), 1},
      {"PNG straight alpha", test_support::build_png(2, 2, 8, 6, rgba), 2,
       {0xFFFF0000, 0x8000FF00, 0x000000FF, 0xC80A141E}, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ArgbImage image = decoded(row.file);
    ASSERT_EQ(image.width, row.width);
    const std::vector<uint32_t> pixels(image.row(0), image.row(0) + size_t(image.width) * image.height);
    ASSERT_EQ(pixels.size(), row.pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i)
      for (int shift = 0; shift < 32; shift += 8)
        ASSERT_NEAR(int(pixels[i] >> shift & 0xFF), int(row.pixels[i] >> shift & 0xFF), row.tolerance) << i;
  }
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
