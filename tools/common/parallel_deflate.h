// One zlib stream made by libdeflate on several threads at once: the data is
// cut into pieces, each piece becomes a raw deflate stream of its own, and the
// streams are joined into one by clearing the final-block flag of all but the
// last and realigning each to a byte boundary with an empty stored block.
// Depends on: libdeflate (compression, Adler-32), zlib (adler32_combine) and
// std::thread. Decompresses nothing; knows nothing of PNG.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The zlib stream of data[0, size) at libdeflate `level`, cut into `pieces`
// at the offsets in `cuts` (ascending, inside the data; pieces = cuts + 1)
// and compressed one piece a thread. Empty on failure.
std::vector<std::uint8_t> parallel_zlib_compress(const std::uint8_t* data, std::size_t size, int level,
                                                 const std::vector<std::size_t>& cuts);

// Where the final block of a raw deflate stream starts and where the stream
// ends, in bits from the start of `data`; false when the bytes are not a
// whole deflate stream.
struct DeflateEnd {
  std::size_t final_block_bit = 0;
  std::size_t end_bit = 0;
};
bool find_deflate_end(const std::uint8_t* data, std::size_t size, DeflateEnd& end);
