// Saving over a larger file written earlier: the file ends up byte for byte
// what saving to a fresh name writes. Depends on: support/scratch_folder.h.
#include <gtest/gtest.h>

#include "support/graphics_fixture.h"
#include "support/scratch_folder.h"
#include "graphics/frond.h"

using SavingOverTest = test_support::ScratchFolderTest<frond_test::GraphicsTest>;

TEST_F(SavingOverTest, ShorterPicturesLeaveNothingOfTheOldFile) {
  frond::IMAGE large(300, 200), small(2, 1);
  for (int i = 0; i < 300 * 200; ++i) large.pixels[i] = frond::argb_color(i * 2654435761u);
  for (const char* path : {"over.png", "over.bmp"}) {
    ASSERT_EQ(frond::saveimage(&large, path, true), 0);
    ASSERT_EQ(frond::saveimage(&small, path, true), 0);
    ASSERT_EQ(frond::saveimage(&small, std::string("fresh").append(path + 4).c_str(), true), 0);
    EXPECT_EQ(test_support::read_bytes(path), test_support::read_bytes(std::string("fresh").append(path + 4)));
  }
}
