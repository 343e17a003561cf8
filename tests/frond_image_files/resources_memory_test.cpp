// Loading from the program's resources and from memory, including the
// library's own start-up logo.
// Depends on: the platform's resource table and png_builder.h.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "frond_image_files/png_builder.h"
#include "graphics/frond.h"
#include "platform/resources.h"
#include "support/graphics_fixture.h"

namespace {

using frond::IMAGE;
using ResourceTest = frond_test::GraphicsTest;

const std::vector<uint8_t>& dot_png() {
  static const std::vector<uint8_t> file = image_files_test::build_png(2, 1, 8, 6, {{1, 2, 3, 4, 5, 6, 7, 8}});
  return file;
}

const std::vector<uint8_t>& broken_png() {
  static const std::vector<uint8_t> file(dot_png().begin(), dot_png().end() - 20);
  return file;
}

const char garbage[] = "neither PNG nor anything else";

// The logo is also offered as a JPEG resource, so the non-PNG branch meets it.
const platform::resource_entry entries[] = {
    {L"PNG", L"DOT", dot_png().data(), DWORD(dot_png().size())},
    {L"PNG", L"BROKEN", broken_png().data(), DWORD(broken_png().size())},
    {L"JPG", L"LOGO", frond::logo_data(), frond::logo_size()},
    {L"BIN", L"JUNK", garbage, sizeof garbage},
};
const platform::resource_table table(entries, 4);

TEST_F(ResourceTest, PngResourcesDecodeWithLibpng) {
  IMAGE img;
  ASSERT_EQ(frond::getimage(&img, "PNG", "dot"), 0);
  EXPECT_EQ(frond_test::pixels_of(&img), (std::vector<frond::argb_color>{0x04010203, 0x08050607}));
  EXPECT_EQ(img.getimage(L"png", L"BROKEN"), -12);
  EXPECT_EQ(img.magic, frond::IMAGE_MAGIC);
}

// The logo is the library's own JPEG: the top-left corner is the pale background of its gradient.
TEST_F(ResourceTest, OtherResourcesGoToThePlatformDecoder) {
  IMAGE img;
  ASSERT_EQ(img.getimage("JPG", "LOGO"), 0);
  EXPECT_EQ(img.width, 400);
  EXPECT_EQ(img.height, 200);
  const frond::argb_color corner = frond_test::pixel(&img, 0, 0);
  EXPECT_EQ(corner >> 24, 0xFFu);
  EXPECT_NEAR(int((corner >> 16) & 0xFF), 244, 6);
  EXPECT_NEAR(int((corner >> 8) & 0xFF), 241, 6);
  EXPECT_NEAR(int(corner & 0xFF), 225, 6);
  EXPECT_EQ(frond::getimage(&img, L"BIN", L"JUNK"), -11);
  EXPECT_EQ(frond::getimage(&img, "PNG", "NOTHING"), -12);
  EXPECT_EQ(frond::getimage(&img, "NOTHING", "DOT"), -12);
}

TEST_F(ResourceTest, MemoryBlocksUseThePlatformDecoderOnly) {
  IMAGE img(3, 3);
  EXPECT_EQ(img.getimage(nullptr, 10), -12);
  EXPECT_EQ(img.getimage(garbage, sizeof garbage), -11);
  EXPECT_EQ(img.getimage(static_cast<const void*>(garbage), 0), -11);
  EXPECT_EQ(img.width, 3);
  // A PNG in memory is decoded too, by the platform's PNG decoder.
  ASSERT_EQ(img.getimage(dot_png().data(), uint32_t(dot_png().size())), 0);
  EXPECT_EQ(frond_test::pixels_of(&img), (std::vector<frond::argb_color>{0x04010203, 0x08050607}));
}

}  // namespace
