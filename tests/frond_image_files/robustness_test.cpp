// Damaged and hostile files: the error codes Frond returns for truncated
// files, oversized or overpromising headers refused before memory is taken,
// ancillary chunks skipped; the image stays valid. Random damage is the
// fuzzers' (tests/fuzz), damaged BMPs the platform decoder's tests'.
// Depends on: png_builder.h, support/scratch_folder.h.
#include <gtest/gtest.h>

#include <vector>

#include "frond_image_files/png_builder.h"
#include "support/graphics_fixture.h"
#include "support/scratch_folder.h"
#include "graphics/frond.h"
#include "graphics/image_files.h"
#include "support/resident_memory.h"

namespace {

using frond::IMAGE;
using frond::png_outcome;
using image_files_test::build_png;
using test_support::write_bytes;
using RobustnessTest = test_support::ScratchFolderTest<frond_test::GraphicsTest>;

std::vector<uint8_t> sample_png() {
  std::vector<std::vector<uint8_t>> rows;
  for (int y = 0; y < 6; ++y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < 5 * 4; ++x) row.push_back(uint8_t(x * 13 + y * 7));
    rows.push_back(row);
  }
  return build_png(5, 6, 8, 6, rows);
}

png_outcome read_memory(IMAGE& img, const std::vector<uint8_t>& bytes) {
  return frond::readpngmemory(&img, bytes.data(), bytes.size());
}

// A valid image: checked operations pass and the pixels can be written.
void expect_valid(IMAGE& img) {
  img.check_magic(L"test");
  ASSERT_NE(img.pixels, nullptr);
  img.pixels[0] = 0;
}

TEST_F(RobustnessTest, TruncatedPngsAreErrorsAndNeverReachThePlatform) {
  const std::vector<uint8_t> file = sample_png();
  IMAGE img;
  ASSERT_EQ(read_memory(img, file), png_outcome::ok);  // the whole sample decodes
  EXPECT_EQ(frond_test::pixel(&img, 1, 0), 0x5B34414Eu);  // stored R 52, G 65, B 78, A 91
  for (size_t length : {size_t(7), size_t(8), size_t(20), size_t(33), file.size() / 2, file.size() - 1}) {
    EXPECT_NE(read_memory(img, std::vector<uint8_t>(file.begin(), file.begin() + std::ptrdiff_t(length))),
              png_outcome::ok);
    expect_valid(img);
    write_bytes("cut.png", std::vector<uint8_t>(file.begin(), file.begin() + std::ptrdiff_t(length)));
    EXPECT_EQ(frond::getimage(&img, "cut.png"), -12) << length;
    if (length >= 8) {
      EXPECT_EQ(frond::getimage_pngfile(&img, "cut.png"), -12) << length;
    }
  }
}

TEST_F(RobustnessTest, OversizedPngHeadersAreRefusedBeforeAnyMemoryIsTakenButTheLargestSideDecodes) {
  IMAGE img(2, 2);
  for (uint32_t side : {16385u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0u}) {
    const std::vector<uint8_t> wide_file = build_png(side, 1, 8, 2, {{1, 2, 3}});
    const std::vector<uint8_t> tall_file = build_png(1, side, 8, 2, {{1, 2, 3}});
    EXPECT_EQ(read_memory(img, wide_file), png_outcome::damaged) << side;
    EXPECT_EQ(read_memory(img, tall_file), png_outcome::damaged) << side;
    EXPECT_EQ(img.width, 2);  // refused while reading the header
  }
  write_bytes("huge.png", build_png(100000, 100000, 8, 6, {}));
  EXPECT_EQ(frond::getimage(&img, "huge.png"), -12);
  // The largest allowed side still decodes.
  std::vector<std::vector<uint8_t>> rows(1, std::vector<uint8_t>(16384 / 8, 0xFF));
  ASSERT_EQ(read_memory(img, build_png(16384, 1, 1, 0, rows)), png_outcome::ok);
  EXPECT_EQ(img.width, 16384);
  EXPECT_EQ(frond_test::pixel(&img, 16383, 0), 0xFFFFFFFFu);
}

// A header announcing far more pixels than its file could fill is refused
// before the image is sized: a few hundred bytes never cost a gigabyte. The
// best compression a real picture reaches still decodes.
TEST_F(RobustnessTest, PngCanvasesLargerThanTheirDataCouldFillAreRefused) {
  IMAGE img(2, 2);
  std::vector<std::vector<uint8_t>> white(64, std::vector<uint8_t>(16384 / 8, 0xFF));
  const std::vector<uint8_t> huge = build_png(16384, 16384, 1, 0, {white[0]});
  const long before = resident_kib();
  reset_peak_resident();
  EXPECT_EQ(read_memory(img, huge), png_outcome::damaged);
  write_bytes("huge.png", huge);
  EXPECT_EQ(frond::getimage(&img, "huge.png"), -12);
  EXPECT_LT(peak_resident_kib() - before, 64 * 1024 + sanitizer_allowance_kib);
  EXPECT_EQ(img.width, 2);
  ASSERT_EQ(read_memory(img, build_png(16384, 64, 1, 0, white)), png_outcome::ok);
  EXPECT_EQ(img.height, 64);
}

TEST_F(RobustnessTest, AncillaryChunksAreSkippedWhateverTheirSize) {
  std::vector<image_files_test::png_chunk> many(300, {"tEXt", {'K', 0, 'v'}});
  image_files_test::png_chunk big{"zTXt", {'C', 0, 0}};
  big.data.resize(9u << 20, 'x');  // not even valid compressed data: never read
  many.push_back(big);
  many.push_back({"iCCP", {'p', 0, 0, 1, 2, 3}});
  IMAGE img;
  EXPECT_EQ(read_memory(img, build_png(1, 1, 8, 2, {{9, 8, 7}}, many)), png_outcome::ok);
  EXPECT_EQ(frond_test::pixel(&img, 0, 0), 0xFF090807u);
}

}  // namespace
