// Loading PNG through libpng (every colour type and depth into straight
// ARGB), other formats through the platform decoder, and the result codes.
// Depends on: png_builder.h, the BMP builder, support/scratch_folder.h. Decoder
// internals are the platform's and the fuzzers'.
#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "frond_image_files/png_builder.h"
#include "support/graphics_fixture.h"
#include "support/scratch_folder.h"
#include "graphics/frond.h"
#include "platform_imaging/bmp_builder.h"

namespace {

using frond::IMAGE;
using image_files_test::build_png;
using image_files_test::png_chunk;
using test_support::write_bytes;
using LoadingTest = test_support::ScratchFolderTest<frond_test::GraphicsTest>;
using pixels = std::vector<frond::argb_color>;

// PNGs built in memory, loaded through a file and the general loader: every
// colour type and depth gives straight ARGB; 16-bit channels keep their high
// byte; palette and grey tRNS entries give alpha; RGB without tRNS is opaque.
TEST_F(LoadingTest, PngsOfEveryColourTypeAndDepthGiveStraightArgb) {
  const png_chunk palette{"PLTE", {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC}};
  const png_chunk transparency{"tRNS", {0x00, 0x80, 0xFF}};
  const struct {
    std::vector<uint8_t> file;
    int width;
    pixels expected;
  } cases[] = {
      {build_png(4, 1, 8, 3, {{0, 1, 2, 3}}, {palette, transparency}), 4,
       {0x00112233, 0x80445566, 0xFF778899, 0xFFAABBCC}},
      {build_png(4, 1, 2, 3, {{0x1B}}, {palette}), 4, {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC}},
      {build_png(8, 1, 1, 0, {{0xA5}}), 8,
       {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
      {build_png(4, 1, 2, 0, {{0x1B}}), 4, {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF}},
      {build_png(2, 1, 4, 0, {{0x3C}}), 2, {0xFF333333, 0xFFCCCCCC}},
      {build_png(2, 1, 8, 0, {{0x07, 0xF0}}), 2, {0xFF070707, 0xFFF0F0F0}},
      {build_png(2, 1, 16, 0, {{0x12, 0x34, 0xAB, 0xFF}}), 2, {0xFF121212, 0xFFABABAB}},
      {build_png(2, 1, 8, 4, {{0x40, 0x80, 0xC0, 0x00}}), 2, {0x80404040, 0x00C0C0C0}},
      {build_png(1, 1, 16, 4, {{0x12, 0x34, 0x56, 0x78}}), 1, {0x56121212}},
      {build_png(2, 1, 8, 0, {{0x07, 0x08}}, {{"tRNS", {0x00, 0x07}}}), 2, {0x00070707, 0xFF080808}},
      {build_png(1, 1, 16, 6, {{0x12, 0x34, 0xAB, 0xCD, 0x00, 0xFF, 0x80, 0x01}}), 1, {0x8012AB00}},
      {build_png(1, 1, 16, 2, {{0xFE, 0xFF, 0x01, 0x00, 0x7F, 0x80}}), 1, {0xFFFE017F}},
      {build_png(2, 1, 8, 2, {{1, 2, 3, 4, 5, 6}}), 2, {0xFF010203, 0xFF040506}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    write_bytes("built.png", cases[i].file);
    IMAGE img;
    EXPECT_EQ(frond::getimage(&img, "built.png"), 0) << "case " << i;
    EXPECT_EQ(img.width, cases[i].width) << "case " << i;
    EXPECT_EQ(img.height, 1) << "case " << i;
    EXPECT_EQ(frond_test::pixels_of(&img), cases[i].expected) << "case " << i;
  }
}

TEST_F(LoadingTest, BmpAndJpegFilesGoToThePlatformDecoder) {
  imaging_test::bmp_fields rgb;
  rgb.width = rgb.height = 2;
  rgb.rows = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  write_bytes("rgb.bmp", imaging_test::build_bmp(rgb));
  IMAGE img;
  ASSERT_EQ(frond::getimage(&img, L"rgb.bmp"), 0);
  EXPECT_EQ(frond_test::pixel(&img, 0, 0), 0xFF090807u);
  EXPECT_EQ(frond::getimage_pngfile(&img, "rgb.bmp"), -12);
  EXPECT_EQ(img.width, 2);  // untouched by the refusal
  const auto* logo = static_cast<const uint8_t*>(frond::logo_data());
  write_bytes("logo.jpg", std::vector<uint8_t>(logo, logo + frond::logo_size()));
  ASSERT_EQ(frond::getimage(&img, "logo.jpg", 0, 0), 0);
  EXPECT_EQ(img.width, 400);
  EXPECT_EQ(img.height, 200);
  EXPECT_EQ(frond::getimage_pngfile(&img, L"logo.jpg"), -12);
}

TEST_F(LoadingTest, AMissingFileIsMinusThreeAndChangesNothing) {
  IMAGE img(2, 3);
  frond_test::paint_coordinates(&img);
  const pixels before = frond_test::pixels_of(&img);
  EXPECT_EQ(frond::getimage(&img, "nothing.png"), -3);
  EXPECT_EQ(img.getimage(L"nothing.bmp"), -3);
  EXPECT_EQ(frond::getimage_pngfile(&img, "nothing.png"), -3);
  EXPECT_EQ(frond::getimage(&img, static_cast<const char*>(nullptr)), -3);
  EXPECT_EQ(img.width, 2);
  EXPECT_EQ(img.height, 3);
  EXPECT_EQ(frond_test::pixels_of(&img), before);
}

TEST_F(LoadingTest, UnknownFormatsAreNotDecodable) {
  write_bytes("notes.txt", {'n', 'o', 't', 'e', 's', ' ', 'o', 'n', 'l', 'y'});
  IMAGE img;
  EXPECT_EQ(frond::getimage(&img, "notes.txt"), -12);
  EXPECT_EQ(frond::getimage_pngfile(&img, "notes.txt"), -12);
}

TEST(Loading, ASelectorIsNoImageToLoadInto) {
  IMAGE* const page = reinterpret_cast<IMAGE*>(1);
  EXPECT_EQ(frond::getimage(page, "x.png"), -11);
  EXPECT_EQ(frond::getimage(page, L"PNG", L"LOGO"), -11);
  EXPECT_EQ(frond::getimage(page, 0, 0, 4, 4), -11);
  EXPECT_EQ(frond::getimage_pngfile(page, "x.png"), -12);
}

TEST(LoadingDeathTest, ANullImageIsFatal) {
  EXPECT_EXIT(frond::getimage(nullptr, "x.png"), ::testing::ExitedWithCode(245),
              "Fatal Error: pass NULL to `frond::getimage`");
  EXPECT_EXIT(frond::getimage(nullptr, L"x.png"), ::testing::ExitedWithCode(245), "pass NULL");
  EXPECT_EXIT(frond::getimage(nullptr, "PNG", "LOGO"), ::testing::ExitedWithCode(245), "pass NULL");
  EXPECT_EXIT(frond::getimage(nullptr, L"PNG", L"LOGO"), ::testing::ExitedWithCode(245), "pass NULL");
}

}  // namespace
