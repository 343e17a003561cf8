// Large pictures are saved in bands with split points: they load back
// exactly through the split reader, and split points that do not hold are
// never trusted (the file still loads, through libpng).
// Depends on: support/seeded.h, support/scratch_folder.h, zlib (CRC).
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include "graphics/frond.h"
#include "graphics/png_split.h"
#include "support/graphics_fixture.h"
#include "support/scratch_folder.h"
#include "support/seeded.h"

namespace {

using SplitPngTest = test_support::ScratchFolderTest<frond_test::GraphicsTest>;

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// Adds one to the byte `from_end` bytes before the end of the first chunk
// of this type (its last byte: 1) and mends the chunk's CRC; false when the
// file has no such chunk.
bool bump_chunk_byte(std::vector<uint8_t>& file, const char* type, uint32_t from_end) {
  size_t found = 0;
  for (size_t at = 8; at + 12 <= file.size(); at += 12 + be32(&file[at]))
    if (std::memcmp(&file[at + 4], type, 4) == 0) found = at;
  if (found == 0) return false;
  const uint32_t length = be32(&file[found]);
  file[found + 8 + length - from_end] += 1;
  const uint32_t crc = uint32_t(crc32(0, &file[found + 4], 4 + length));
  for (int i = 0; i < 4; ++i) file[found + 8 + length + i] = uint8_t(crc >> (24 - 8 * i));
  return true;
}

TEST_F(SplitPngTest, BandedPicturesLoadBackExactlyAndFalseSplitPointsAreNotTrusted) {
  seeded::iterations(4, [](std::mt19937& rng, int) {
    const int width = seeded::between(rng, 700, 1400), height = seeded::between(rng, 400, 900);
    const bool alpha = rng() & 1;
    frond::IMAGE img(width, height);
    // Flat blocks with noisy rows among them, as on a screen.
    for (int y = 0; y < height; ++y) {
      const bool noisy = rng() % 4 == 0;
      for (int x = 0; x < width; ++x)
        img.pixels[y * width + x] = noisy ? frond::argb_color(rng()) : 0xFF000000u | (x / 64 * 0x10203u + y / 32 * 0x30201u);
    }
    ASSERT_EQ(frond::savepng(&img, "banded.png", alpha), 0);
    std::vector<frond::argb_color> expected = frond_test::pixels_of(&img);
    if (!alpha)
      for (frond::argb_color& p : expected) p |= 0xFF000000u;

    std::vector<uint8_t> file = test_support::read_bytes("banded.png");
    frond::IMAGE back;
    ASSERT_TRUE(frond::read_split_png(&back, file.data(), file.size()));
    EXPECT_EQ(frond_test::pixels_of(&back), expected);

    // The last split point moved by a byte: libpng reads the file instead.
    std::vector<uint8_t> moved = file;
    ASSERT_TRUE(bump_chunk_byte(moved, "spLT", 5));
    EXPECT_FALSE(frond::read_split_png(&back, moved.data(), moved.size()));
    test_support::write_bytes("moved.png", moved);
    ASSERT_EQ(back.getimage(L"moved.png"), 0);
    EXPECT_EQ(frond_test::pixels_of(&back), expected);
    // A wrong checksum at the end of the stream: not decoded here either.
    ASSERT_TRUE(bump_chunk_byte(file, "IDAT", 1));
    EXPECT_FALSE(frond::read_split_png(&back, file.data(), file.size()));
  });
}

}  // namespace
