// Split points of a PNG's image data: where its zlib stream starts pieces
// that can be inflated on their own, written by this library's and the PNG
// tool's writers in a private chunk ("spLT", before the first IDAT) so that
// their pictures can be read on several threads. Each point is 8 bytes: the
// piece's offset in the zlib stream and its offset in the inflated data,
// both big-endian 32-bit. A reader never trusts the chunk: a piece that does
// not inflate on its own to exactly its share, or a checksum that does not
// match, sends the file to the plain reader.
// Depends on: frond.h. Opens no files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/frond.h"

namespace frond {

constexpr char split_chunk_type[4] = {'s', 'p', 'L', 'T'};

struct split_point {
  uint32_t stream_offset;
  uint32_t data_offset;
};

// Decodes a whole PNG file held in memory when it is 8-bit RGB or RGBA, not
// interlaced, holds only IHDR, spLT, IDAT and IEND chunks, filters its rows
// with "none" or "up" only and its split points prove true; false
// otherwise, with `img` unchanged.
bool read_split_png(IMAGE* img, const uint8_t* file, size_t size);

}  // namespace frond
