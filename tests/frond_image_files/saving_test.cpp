// Saving: PNG colour types and round trips, the byte-exact BMP writer, the
// choice of format by extension, backslashes as folder separators, saving
// over a longer file, and the codes of failed opens, writes and closes.
// Depends on: support/scratch_folder.h.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/graphics_fixture.h"
#include "support/scratch_folder.h"
#include "graphics/frond.h"

namespace {

using frond::IMAGE;
using test_support::exists;
using test_support::read_bytes;
using SavingTest = test_support::ScratchFolderTest<frond_test::GraphicsTest>;

const std::vector<frond::argb_color> six = {0xFF102030, 0x80405060, 0x00708090, 0x01A0B0C0, 0xFEFFFFFF, 0x7F000000};

void fill(IMAGE& img, const std::vector<frond::argb_color>& values) {
  std::copy(values.begin(), values.end(), img.pixels);
}

// With alpha: RGBA (colour type 6), reloaded as saved; without: RGB (type 2), reloaded opaque.
TEST_F(SavingTest, PngColourTypesAndRoundTrips) {
  IMAGE img(3, 2);
  fill(img, six);
  for (bool alpha : {true, false}) {
    ASSERT_EQ(frond::savepng(&img, alpha ? "alpha.png" : "plain.png", alpha), 0);
    const std::vector<uint8_t> file = read_bytes(alpha ? "alpha.png" : "plain.png");
    ASSERT_GT(file.size(), 26u);
    EXPECT_EQ(file[24], 8);  // bit depth
    EXPECT_EQ(file[25], alpha ? 6 : 2);
    IMAGE back;
    ASSERT_EQ(back.getimage(alpha ? L"alpha.png" : L"plain.png"), 0);
    ASSERT_EQ(back.width, 3);
    std::vector<frond::argb_color> expected;
    for (frond::argb_color p : six) expected.push_back(alpha ? p : p | 0xFF000000u);
    EXPECT_EQ(frond_test::pixels_of(&back), expected);
  }
}

const std::vector<frond::argb_color> five = {0x80112233, 0xFF445566, 0x00778899, 0x10AABBCC, 0xFFDDEEFF};

// Without alpha: 24 bits, BI_RGB, rows padded to 4 bytes and stored bottom
// up; with alpha: 32 bits, BI_BITFIELDS with a V4 header (masks, "BGRs", no
// end points or gamma).
TEST_F(SavingTest, BmpFilesMatchTheLayoutByteForByte) {
  IMAGE img(5, 1);
  fill(img, five);
  ASSERT_EQ(frond::saveimage(&img, "five.BMP", false), 0);
  EXPECT_EQ(read_bytes("five.BMP"), (std::vector<uint8_t>{
      'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                  // file header
      40, 0, 0, 0, 5, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,  // size, width, height, planes, bits, BI_RGB
      16, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 0}));
  ASSERT_EQ(frond::saveimage(&img, L"five.bmp", true), 0);
  std::vector<uint8_t> expected = {
      'B', 'M', 142, 0, 0, 0, 0, 0, 0, 0, 122, 0, 0, 0,                  // file header
      108, 0, 0, 0, 5, 0, 0, 0, 1, 0, 0, 0, 1, 0, 32, 0, 3, 0, 0, 0,  // BI_BITFIELDS
      20, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF,  // red, green, blue, alpha masks
      'B', 'G', 'R', 's'};
  expected.insert(expected.end(), 48, 0);  // end points and gamma
  const std::vector<uint8_t> pixels = {0x33, 0x22, 0x11, 0x80, 0x66, 0x55, 0x44, 0xFF, 0x99, 0x88,
                                       0x77, 0x00, 0xCC, 0xBB, 0xAA, 0x10, 0xFF, 0xEE, 0xDD, 0xFF};
  expected.insert(expected.end(), pixels.begin(), pixels.end());
  EXPECT_EQ(read_bytes("five.bmp"), expected);

  IMAGE column(1, 2);
  fill(column, {0xFF0000FF, 0xFFFF0000});
  ASSERT_EQ(frond::savebmp(&column, "column.bmp", false), 0);
  const std::vector<uint8_t> file = read_bytes("column.bmp");
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 54, file.end()),
            (std::vector<uint8_t>{0, 0, 0xFF, 0, 0xFF, 0, 0, 0}));  // bottom (red) row first
}

TEST_F(SavingTest, OnlyABmpExtensionWritesBmp) {
  IMAGE img(2, 2);
  for (const char* name : {"a.jpg", "b.bmpx", "c", "bmp", "d.Bmp"}) {
    ASSERT_EQ(frond::saveimage(&img, name, false), 0);
    EXPECT_EQ(read_bytes(name)[1], std::string(name) == "d.Bmp" ? 'M' : 'P') << name;  // "BM" or "\x89PNG"
  }
}

// A BMP read back comes through the platform decoder: its pixels, opaque, as saved.
TEST_F(SavingTest, BackslashesSeparateFolders) {
  ASSERT_EQ(mkdir("temp", 0700), 0);
  IMAGE img(4, 3);
  frond_test::paint_coordinates(&img);
  ASSERT_EQ(frond::savepng(&img, "temp\\image2.png", false), 0);
  ASSERT_EQ(frond::saveimage(&img, L"temp\\image1.bmp", false), 0);
  EXPECT_TRUE(exists("temp/image2.png"));
  EXPECT_TRUE(exists("temp/image1.bmp"));
  IMAGE back;
  EXPECT_EQ(frond::getimage(&back, "temp\\image2.png"), 0);
  EXPECT_EQ(frond::getimage(&back, "temp\\image1.bmp"), 0);
  frond_setalpha(255, &img);
  EXPECT_EQ(frond_test::pixels_of(&back), frond_test::pixels_of(&img));
  const std::string absolute = scratch_.path().string() + "\\temp\\image2.png";
  EXPECT_EQ(frond::getimage_pngfile(&back, absolute.c_str()), 0);
}

// Saving over a larger file written earlier: the file ends up byte for byte
// what saving to a fresh name writes.
TEST_F(SavingTest, ShorterPicturesLeaveNothingOfTheOldFile) {
  IMAGE large(300, 200), small(2, 1);
  for (int i = 0; i < 300 * 200; ++i) large.pixels[i] = frond::argb_color(i * 2654435761u);
  for (const char* path : {"over.png", "over.bmp"}) {
    ASSERT_EQ(frond::saveimage(&large, path, true), 0);
    ASSERT_EQ(frond::saveimage(&small, path, true), 0);
    ASSERT_EQ(frond::saveimage(&small, std::string("fresh").append(path + 4).c_str(), true), 0);
    EXPECT_EQ(read_bytes(path), read_bytes(std::string("fresh").append(path + 4)));
  }
}

TEST_F(SavingTest, FailedOpensWritesAndClosesImagesWithoutPixelsAndSelectorsOfNothing) {
  IMAGE img(8, 8);
  EXPECT_EQ(frond::savepng(&img, "missing/x.png", true), -3);
  EXPECT_EQ(frond::savebmp(&img, "missing/x.bmp", true), -12);
  EXPECT_EQ(frond::saveimage(&img, "missing/x.bmp", true), -12);
  EXPECT_EQ(frond::saveimage(&img, "missing/x.png", true), -3);
  // /dev/full accepts the open and fails every write, at the latest on close.
  EXPECT_EQ(frond::savepng(&img, "/dev/full", true), -12);
  EXPECT_EQ(frond::savebmp(&img, "/dev/full", false), -12);
  EXPECT_EQ(frond::saveimage(&img, L"/dev/full", false), -12);

  IMAGE empty(0, 0);  // no pixels: no PNG, a BMP of headers only
  EXPECT_EQ(frond::savepng(&empty, "empty.png", false), -12);
  ASSERT_EQ(frond::savebmp(&empty, "empty.bmp", false), 0);
  EXPECT_EQ(read_bytes("empty.bmp").size(), 54u);
  // No drawing target and no pages: the selectors name no image.
  EXPECT_EQ(frond::savepng(nullptr, "none.png", false), -12);
  EXPECT_EQ(frond::savebmp(reinterpret_cast<IMAGE*>(1), "none.bmp", false), -12);
  EXPECT_EQ(frond::saveimage(nullptr, "none.png", false), 0);
  EXPECT_FALSE(exists("none.png"));
  EXPECT_FALSE(exists("none.bmp"));
  EXPECT_EQ(counter(), 255);  // saving never counts a change
}

}  // namespace
