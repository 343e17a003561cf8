// Builds PNG files chunk by chunk (zlib for the image data and the CRCs), so
// that each colour type, depth, ancillary chunk and damage is exact; any
// header values are written as given. Depends on: zlib. Writes nothing to
// disk itself and reads no PNG.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

struct png_chunk {
  std::string type;
  std::vector<uint8_t> data;
};

inline void put_be32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

inline void append_chunk(std::vector<uint8_t>& file, const png_chunk& chunk) {
  put_be32(file, uint32_t(chunk.data.size()));
  std::vector<uint8_t> body(chunk.type.begin(), chunk.type.end());
  body.insert(body.end(), chunk.data.begin(), chunk.data.end());
  file.insert(file.end(), body.begin(), body.end());
  put_be32(file, uint32_t(crc32(0, body.data(), uInt(body.size()))));
}

inline png_chunk ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colour_type) {
  png_chunk chunk{"IHDR", {}};
  put_be32(chunk.data, width);
  put_be32(chunk.data, height);
  chunk.data.insert(chunk.data.end(), {depth, colour_type, 0, 0, 0});
  return chunk;
}

// `rows` are the packed rows as the PNG stores them, without filter bytes;
// each row gets filter type 0. `extra` goes between IHDR and IDAT.
inline std::vector<uint8_t> build_png(uint32_t width, uint32_t height, uint8_t depth, uint8_t colour_type,
                                      const std::vector<std::vector<uint8_t>>& rows,
                                      const std::vector<png_chunk>& extra = {}) {
  std::vector<uint8_t> raw;
  for (const std::vector<uint8_t>& row : rows) {
    raw.push_back(0);
    raw.insert(raw.end(), row.begin(), row.end());
  }
  std::vector<uint8_t> packed(compressBound(uLong(raw.size())));
  uLongf packed_size = uLongf(packed.size());
  compress2(packed.data(), &packed_size, raw.data(), uLong(raw.size()), 9);
  packed.resize(packed_size);
  std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  append_chunk(file, ihdr(width, height, depth, colour_type));
  for (const png_chunk& chunk : extra) append_chunk(file, chunk);
  append_chunk(file, {"IDAT", packed});
  append_chunk(file, {"IEND", {}});
  return file;
}

}  // namespace test_support
