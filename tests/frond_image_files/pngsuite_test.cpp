// The public PNG test suite: every valid file decodes to the RGB of its BMP
// reference (no gamma is applied, so files with a gamma chunk match too;
// 16-bit channels keep their high byte, within one step of the reference,
// which may round; fully transparent pixels carry no colour there), and
// every deliberately corrupt one is an error.
// Depends on: the PngSuite files when present (skipped otherwise).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/graphics_fixture.h"
#include "support/scratch_folder.h"
#include "graphics/frond.h"

#ifdef PNGSUITE_DIR

namespace {

using frond::IMAGE;

std::vector<std::string> suite_files(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(folder, missing))
    if (entry.path().extension() == ".png") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

using PngSuite = frond_test::GraphicsTest;

TEST_F(PngSuite, ValidFilesMatchTheirReferencesAndCorruptOnesAreErrors) {
  const std::string png_folder = std::string(PNGSUITE_DIR) + "/png/", bmp_folder = std::string(PNGSUITE_DIR) + "/bmp/";
  const std::vector<std::string> names = suite_files(png_folder);
  if (names.empty()) GTEST_SKIP() << "no PNG suite";
  int compared = 0, corrupt = 0;
  for (const std::string& name : names) {
    const std::string path = png_folder + name;
    IMAGE png;
    if (name[0] == 'x') {  // deliberately corrupt
      EXPECT_EQ(frond::getimage(&png, path.c_str()), -12) << name;
      EXPECT_EQ(frond::getimage_pngfile(&png, path.c_str()), -12) << name;
      png.check_magic(L"test");
      ++corrupt;
      continue;
    }
    ASSERT_EQ(frond::getimage_pngfile(&png, path.c_str()), 0) << name;
    const int depth = test_support::read_bytes(path)[24];
    IMAGE bmp;
    ASSERT_EQ(frond::getimage(&bmp, (bmp_folder + name.substr(0, name.size() - 4) + ".bmp").c_str()), 0) << name;
    ASSERT_EQ(bmp.width, png.width) << name;
    ASSERT_EQ(bmp.height, png.height) << name;
    const int tolerance = depth == 16 ? 1 : 0;
    int mismatches = 0;
    for (int i = 0; i < png.width * png.height; ++i)
      for (int shift = 0; shift < 24 && (png.pixels[i] >> 24) != 0; shift += 8) {
        const int a = int((png.pixels[i] >> shift) & 0xFF), b = int((bmp.pixels[i] >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) ++mismatches;
      }
    EXPECT_EQ(mismatches, 0) << name;
    ++compared;
  }
  EXPECT_EQ(compared, 161);
  EXPECT_EQ(corrupt, 14);
}

}  // namespace

#endif
