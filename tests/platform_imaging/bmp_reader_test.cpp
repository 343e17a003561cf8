// The strict BMP reader: every accepted layout decodes to exact pixels; and
// one table of what damaged, hostile and unknown files of every format give.
// Depends on: bmp_builder.h and the decoders' private header.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <iterator>
#include <utility>
#include <vector>

#include "imaging/decoder.h"
#include "platform_imaging/bmp_builder.h"

namespace {

using imaging_test::bmp_fields;
using imaging_test::build_bmp;
using platform::imaging::ArgbImage;
using platform::imaging::decode_bmp;

std::vector<uint32_t> decoded(const std::vector<uint8_t>& file, uint32_t width, uint32_t height) {
  ArgbImage image;
  EXPECT_TRUE(decode_bmp(file.data(), file.size(), image));
  if (image.width != width || image.height != height) {
    ADD_FAILURE() << "size " << image.width << "x" << image.height;
    return {};
  }
  return std::vector<uint32_t>(image.row(0), image.row(0) + size_t(width) * height);
}

bmp_fields fields(int32_t width, int32_t height, uint16_t bits, std::vector<uint8_t> rows,
                  std::vector<uint32_t> palette = {}) {
  bmp_fields s;
  s.width = width;
  s.height = height;
  s.bits = bits;
  s.rows = std::move(rows);
  s.palette = std::move(palette);
  return s;
}

// 3x2, bottom-up: the first stored row is the bottom one; rows pad to 12 bytes.
bmp_fields rgb24_3x2() {
  return fields(3, 2, 24, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0, 0, 0,
                           0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0, 0, 0});
}

// Every accepted layout, one row each: the file's fields and the pixels it
// decodes to, top row first.
TEST(BmpReader, EveryAcceptedLayoutDecodesExactly) {
  std::vector<uint32_t> full, grey16;
  for (uint32_t i = 0; i < 256; ++i) full.push_back(i << 16 | (255 - i) << 8 | 7);
  for (uint32_t i = 0; i < 16; ++i) grey16.push_back(i * 0x111111);
  const auto with = [](bmp_fields s, auto change) { change(s); return s; };
  const bmp_fields rgb16 = fields(2, 1, 16, {0xE0, 0x07, 0x10, 0x00}), rgb32 = fields(2, 1, 32, {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x00});
  const auto masks = [](uint32_t header, std::array<uint32_t, 4> m) {
    return [header, m](bmp_fields& s) { s.compression = 3, s.header_size = header, s.masks = m, s.masks_after_header = header == 40; };
  };
  const struct {
    const char* what;
    bmp_fields file;
    std::vector<uint32_t> pixels;
  } cases[] = {
      {"24-bit bottom-up, rows padded", rgb24_3x2(), {0xFF131211, 0xFF161514, 0xFF191817, 0xFF030201, 0xFF060504, 0xFF090807}},
      {"24-bit top-down", with(rgb24_3x2(), [](bmp_fields& s) { s.height = -2; }),
       {0xFF030201, 0xFF060504, 0xFF090807, 0xFF131211, 0xFF161514, 0xFF191817}},
      {"8-bit, colours used 0: all 256", fields(3, 1, 8, {0, 200, 255, 0}, full), {0xFF00FF07, 0xFFC83707, 0xFFFF0007}},
      {"8-bit short palette: indexes past it are opaque black",
       with(fields(3, 1, 8, {1, 0, 9, 0}, {0x112233, 0x445566}), [](bmp_fields& s) { s.colours_used = 2; }),
       {0xFF445566, 0xFF112233, 0xFF000000}},
      {"1-bit, high bit first", fields(10, 1, 1, {0xA5, 0x40, 0, 0}, {0x000000, 0xFFFFFF}),
       {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
      {"4-bit", fields(3, 1, 4, {0x3F, 0x70, 0, 0}, grey16), {0xFF333333, 0xFFFFFFFF, 0xFF777777}},
      {"16-bit defaults to 5-5-5", fields(2, 1, 16, {0x00, 0x7C, 0x1F, 0x00}), {0xFFFF0000, 0xFF0000FF}},
      {"16-bit 5-6-5 bitfields", with(rgb16, masks(40, {0xF800, 0x07E0, 0x001F, 0})), {0xFF00FF00, 0xFF000084}},
      {"32-bit: no alpha without a mask", rgb32, {0xFF302010, 0xFF706050}},
      {"32-bit bitfields, no alpha mask", with(rgb32, masks(40, {0xFF0000, 0xFF00, 0xFF, 0})), {0xFF302010, 0xFF706050}},
      {"32-bit V4 with alpha", with(rgb32, masks(108, {0xFF0000, 0xFF00, 0xFF, 0xFF000000})), {0x40302010, 0x00706050}},
      {"32-bit V5, masks reordered", with(rgb32, masks(124, {0xFF, 0xFF00, 0xFF0000, 0xFF000000})), {0x40102030, 0x00506070}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(decoded(build_bmp(c.file), uint32_t(std::abs(c.file.width)), uint32_t(std::abs(c.file.height))), c.pixels);
  }
}

// What damaged, hostile and unknown files give, row by row: unknown_format
// without a known signature, failed with one. That nothing crashes or reads
// out of bounds on any input is the fuzzers' part.
TEST(DamagedFiles, ExactResults) {
  using platform::imaging::decode_result;
  struct Row {
    std::string what;
    std::vector<uint8_t> bytes;
    decode_result expected;
  };
  std::vector<Row> rows;
  const auto bytes = [](const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); };
  for (const char* text : {"", "B", "hello world", "GIF88a......", "\x89PNX\r\n\x1A\n"})
    rows.push_back({std::string("text ") + text, bytes(text), decode_result::unknown_format});
  for (const std::string& signature : {std::string("BM"), std::string("\xFF\xD8\xFF"), std::string("GIF87a"),
                                       std::string("GIF89a"), std::string("II*\0", 4), std::string("MM\0*", 4),
                                       std::string("\x89PNG\r\n\x1A\n")})
    rows.push_back({"signature " + signature, bytes(signature + "junk"), decode_result::failed});
  // Every truncation of a good file.
  const std::vector<uint8_t> file = build_bmp(rgb24_3x2());
  for (size_t length = 2; length < file.size(); ++length)
    rows.push_back({"bmp cut at " + std::to_string(length), {file.begin(), file.begin() + std::ptrdiff_t(length)},
                    decode_result::failed});
  // Hostile header fields.
  using change = void (*)(bmp_fields&);
  const change changes[] = {
      [](bmp_fields& s) { s.width = 16385; },
      [](bmp_fields& s) { s.height = 16385; },
      [](bmp_fields& s) { s.height = INT_MIN; },
      [](bmp_fields& s) { s.width = -3; },
      [](bmp_fields& s) { s.height = 0; },
      [](bmp_fields& s) { s.width = 1 << 30; },
      [](bmp_fields& s) { s.planes = 2; },
      [](bmp_fields& s) { s.bits = 2; },
      [](bmp_fields& s) { s.compression = 1; },  // RLE8
      [](bmp_fields& s) { s.header_size = 12; },
      [](bmp_fields& s) { s.header_size = 64; },
      [](bmp_fields& s) { s.bits = 8, s.colours_used = 257; },
      [](bmp_fields& s) { s.bits = 32, s.compression = 3, s.masks_after_header = true, s.masks = {0xFF0000, 0, 0xFF, 0}; },
      [](bmp_fields& s) {
        s.bits = 16, s.compression = 3, s.masks_after_header = true, s.masks = {0xF8000000, 0x07E0, 0x1F, 0};
      },
  };
  for (size_t i = 0; i < std::size(changes); ++i) {
    bmp_fields s = rgb24_3x2();
    changes[i](s);
    rows.push_back({"bmp header change " + std::to_string(i), build_bmp(s), decode_result::failed});
  }
  // A header size past the end of the file, a data offset past the end, and one pointing into the header.
  std::vector<uint8_t> damaged = file;
  damaged[14 + 3] = 0x7F;
  rows.push_back({"bmp header size", damaged, decode_result::failed});
  damaged = file;
  damaged[10] = damaged[11] = 0xFF;
  rows.push_back({"bmp data offset past the end", damaged, decode_result::failed});
  damaged[10] = 20, damaged[11] = 0;
  rows.push_back({"bmp data offset in the header", damaged, decode_result::failed});

  for (const Row& row : rows) {
    ArgbImage image;
    EXPECT_EQ(platform::imaging::decode(row.bytes.data(), row.bytes.size(), image), row.expected) << row.what;
  }
}

}  // namespace
