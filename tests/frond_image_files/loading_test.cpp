// Loading: PNG files and resources through libpng (every colour type and
// depth into straight ARGB), other files, resources and memory blocks
// through the platform decoder, the result codes of what cannot load, and
// damaged or hostile PNGs (truncated, oversized or overpromising headers
// refused before memory is taken, ancillary chunks skipped; the image stays
// valid). Depends on: support/png_builder.h, the platform's resource table,
// support/scratch_folder.h. Random damage is the fuzzers', decoding
// other formats the platform decoder's tests'.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <vector>

#include "support/png_builder.h"
#include "graphics/frond.h"
#include "graphics/image_files.h"
#include "platform/resources.h"
#include "support/graphics_fixture.h"
#include "support/resident_memory.h"
#include "support/scratch_folder.h"

namespace {

using frond::IMAGE;
using frond::png_outcome;
using test_support::build_png;
using test_support::png_chunk;
using test_support::write_bytes;
using LoadingTest = test_support::ScratchFolderTest<frond_test::GraphicsTest>;
using RobustnessTest = LoadingTest;
using pixels = std::vector<frond::argb_color>;

const std::vector<uint8_t>& dot_png() {
  static const std::vector<uint8_t> file = build_png(2, 1, 8, 6, {{1, 2, 3, 4, 5, 6, 7, 8}});
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

// PNGs built in memory, loaded through a file: every colour type and depth
// gives straight ARGB; 16-bit channels keep their high byte; palette and grey
// tRNS entries give alpha; RGB without tRNS is opaque. (The colours of grey
// and palette files at the small depths and of 8-bit RGB are the PNG suite's.)
TEST_F(LoadingTest, PngsOfEveryColourTypeAndDepthGiveStraightArgb) {
  const png_chunk palette{"PLTE", {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC}};
  const struct {
    std::vector<uint8_t> file;
    pixels expected;
  } cases[] = {
      {build_png(4, 1, 8, 3, {{0, 1, 2, 3}}, {palette, {"tRNS", {0x00, 0x80, 0xFF}}}),
       {0x00112233, 0x80445566, 0xFF778899, 0xFFAABBCC}},
      {build_png(2, 1, 16, 0, {{0x12, 0x34, 0xAB, 0xFF}}), {0xFF121212, 0xFFABABAB}},
      {build_png(2, 1, 8, 4, {{0x40, 0x80, 0xC0, 0x00}}), {0x80404040, 0x00C0C0C0}},
      {build_png(1, 1, 16, 4, {{0x12, 0x34, 0x56, 0x78}}), {0x56121212}},
      {build_png(2, 1, 8, 0, {{0x07, 0x08}}, {{"tRNS", {0x00, 0x07}}}), {0x00070707, 0xFF080808}},
      {build_png(1, 1, 16, 6, {{0x12, 0x34, 0xAB, 0xCD, 0x00, 0xFF, 0x80, 0x01}}), {0x8012AB00}},
      {build_png(1, 1, 16, 2, {{0xFE, 0xFF, 0x01, 0x00, 0x7F, 0x80}}), {0xFFFE017F}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    write_bytes("built.png", cases[i].file);
    IMAGE img;
    EXPECT_EQ(frond::getimage(&img, "built.png"), 0) << "case " << i;
    EXPECT_EQ(img.height, 1) << "case " << i;
    EXPECT_EQ(frond_test::pixels_of(&img), cases[i].expected) << "case " << i;
  }
}

// What goes to the platform decoder: other files (the logo as a JPEG; the
// pixels it hands over are the saving tests'), other resources and every
// memory block, a PNG in memory too.
TEST_F(LoadingTest, WhatIsNotAPngFileOrResourceGoesToThePlatformDecoder) {
  IMAGE img;
  const auto* logo = static_cast<const uint8_t*>(frond::logo_data());
  write_bytes("logo.jpg", std::vector<uint8_t>(logo, logo + frond::logo_size()));
  ASSERT_EQ(frond::getimage(&img, "logo.jpg", 0, 0), 0);
  EXPECT_EQ(img.width, 400);
  IMAGE resource;
  ASSERT_EQ(resource.getimage("JPG", "LOGO"), 0);
  EXPECT_EQ(frond_test::pixels_of(&resource), frond_test::pixels_of(&img));
  ASSERT_EQ(frond::getimage(&img, "PNG", "dot"), 0);  // a PNG resource: libpng
  EXPECT_EQ(frond_test::pixels_of(&img), (pixels{0x04010203, 0x08050607}));
  IMAGE memory(3, 3);
  ASSERT_EQ(memory.getimage(dot_png().data(), uint32_t(dot_png().size())), 0);
  EXPECT_EQ(frond_test::pixels_of(&memory), (pixels{0x04010203, 0x08050607}));
}

// -3 for a missing file, -11 for a selector or data no decoder takes, -12
// for what is no image here; the image keeps its size and pixels.
TEST_F(LoadingTest, WhatCannotLoadReturnsItsCodeAndChangesNothing) {
  write_bytes("notes.txt", {'n', 'o', 't', 'e', 's', ' ', 'o', 'n', 'l', 'y'});
  IMAGE img(2, 3);
  frond_test::paint_coordinates(&img);
  const pixels before = frond_test::pixels_of(&img);
  IMAGE* const page = reinterpret_cast<IMAGE*>(1);
  const struct {
    const char* call;
    int code;
    std::function<int()> run;
  } cases[] = {
      {"missing file", -3, [&] { return frond::getimage(&img, "nothing.png"); }},
      {"missing wide file", -3, [&] { return img.getimage(L"nothing.bmp"); }},
      {"missing PNG file", -3, [&] { return frond::getimage_pngfile(&img, "nothing.png"); }},
      {"no path", -3, [&] { return frond::getimage(&img, static_cast<const char*>(nullptr)); }},
      {"text file", -12, [&] { return frond::getimage(&img, "notes.txt"); }},
      {"text file as PNG", -12, [&] { return frond::getimage_pngfile(&img, "notes.txt"); }},
      {"wide text file as PNG", -12, [&] { return frond::getimage_pngfile(&img, L"notes.txt"); }},
      {"junk resource", -11, [&] { return frond::getimage(&img, L"BIN", L"JUNK"); }},
      {"no such resource", -12, [&] { return frond::getimage(&img, "PNG", "NOTHING"); }},
      {"no such resource type", -12, [&] { return frond::getimage(&img, "NOTHING", "DOT"); }},
      {"no memory", -12, [&] { return img.getimage(nullptr, 10); }},
      {"junk memory", -11, [&] { return img.getimage(garbage, sizeof garbage); }},
      {"empty memory", -11, [&] { return img.getimage(static_cast<const void*>(garbage), 0); }},
      {"file into a page", -11, [&] { return frond::getimage(page, "x.png"); }},
      {"resource into a page", -11, [&] { return frond::getimage(page, L"PNG", L"LOGO"); }},
      {"rectangle into a page", -11, [&] { return frond::getimage(page, 0, 0, 4, 4); }},
      {"PNG file into a page", -12, [&] { return frond::getimage_pngfile(page, "x.png"); }},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.run(), c.code) << c.call;
    EXPECT_EQ(frond_test::pixels_of(&img), before) << c.call;
  }
  EXPECT_EQ(img.getimage(L"png", L"BROKEN"), -12);  // damage found while decoding: the image stays valid
  img.check_magic(L"test");
}

// Every form of getimage: files, resources, another image, the drawing target.
TEST(LoadingDeathTest, ANullImageIsFatal) {
  IMAGE src(2, 2);
  const std::function<void()> calls[] = {
      [] { frond::getimage(nullptr, "x.png"); },         [] { frond::getimage(nullptr, L"x.png"); },
      [] { frond::getimage(nullptr, "PNG", "LOGO"); },   [] { frond::getimage(nullptr, L"PNG", L"LOGO"); },
      [&] { frond::getimage(nullptr, &src, 0, 0, 1, 1); }, [] { frond::getimage(nullptr, 0, 0, 1, 1); },
  };
  for (const auto& call : calls)
    EXPECT_EXIT(call(), ::testing::ExitedWithCode(245),
                "FROND INTERNAL ERROR: Fatal Error: pass NULL to `frond::getimage`");
}

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

// Headers with a side above 16384, or announcing far more pixels than their
// file could fill, are refused before the image is sized: a few hundred bytes
// never cost a gigabyte. The largest side and the best compression a real
// picture reaches still decode.
TEST_F(RobustnessTest, OversizedAndOverpromisingPngHeadersAreRefusedBeforeAnyMemoryIsTaken) {
  IMAGE img(2, 2);
  for (uint32_t side : {16385u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0u}) {
    EXPECT_EQ(read_memory(img, build_png(side, 1, 8, 2, {{1, 2, 3}})), png_outcome::damaged) << side;
    EXPECT_EQ(read_memory(img, build_png(1, side, 8, 2, {{1, 2, 3}})), png_outcome::damaged) << side;
  }
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
  EXPECT_EQ(frond_test::pixel(&img, 16383, 63), 0xFFFFFFFFu);
}

TEST_F(RobustnessTest, AncillaryChunksAreSkippedWhateverTheirSize) {
  std::vector<png_chunk> many(300, {"tEXt", {'K', 0, 'v'}});
  png_chunk big{"zTXt", {'C', 0, 0}};
  big.data.resize(9u << 20, 'x');  // not even valid compressed data: never read
  many.push_back(big);
  many.push_back({"iCCP", {'p', 0, 0, 1, 2, 3}});
  IMAGE img;
  EXPECT_EQ(read_memory(img, build_png(1, 1, 8, 2, {{9, 8, 7}}, many)), png_outcome::ok);
  EXPECT_EQ(frond_test::pixel(&img, 0, 0), 0xFF090807u);
}

}  // namespace
