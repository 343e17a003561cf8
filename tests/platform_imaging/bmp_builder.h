// Builds BMP files byte by byte for the decoder tests: any header size,
// depth, compression, palette and masks, with the pixel rows given exactly
// as they are stored in the file. Depends on: nothing. Checks nothing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace imaging_test {

struct bmp_fields {
  int32_t width = 1;
  int32_t height = 1;  // negative: top-down
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t header_size = 40;
  uint32_t colours_used = 0;
  uint16_t planes = 1;
  std::vector<uint32_t> palette;  // 0x00RRGGBB entries written as RGBQUADs
  std::array<uint32_t, 4> masks = {};  // red, green, blue, alpha (V4/V5 header or after a 40-byte one)
  bool masks_after_header = false;
  std::vector<uint8_t> rows;  // stored rows, padded, in file order
};

inline void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

inline void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

inline std::vector<uint8_t> build_bmp(const bmp_fields& s) {
  std::vector<uint8_t> info;
  put32(info, s.header_size);
  put32(info, uint32_t(s.width));
  put32(info, uint32_t(s.height));
  put16(info, s.planes);
  put16(info, s.bits);
  put32(info, s.compression);
  put32(info, 0);  // biSizeImage 0
  put32(info, 2835);
  put32(info, 2835);
  put32(info, s.colours_used);
  put32(info, 0);
  if (s.header_size > 40) {
    for (uint32_t mask : s.masks) put32(info, mask);
    put32(info, 0x73524742);
  }
  info.resize(s.header_size, 0);
  if (s.masks_after_header)
    for (int i = 0; i < 3; ++i) put32(info, s.masks[size_t(i)]);
  for (uint32_t entry : s.palette) put32(info, entry & 0xFFFFFF);
  std::vector<uint8_t> file = {'B', 'M'};
  const uint32_t offset = 14 + uint32_t(info.size());
  put32(file, offset + uint32_t(s.rows.size()));
  put32(file, 0);
  put32(file, offset);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), s.rows.begin(), s.rows.end());
  return file;
}

}  // namespace imaging_test
