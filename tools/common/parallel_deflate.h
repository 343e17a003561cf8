// One zlib stream made by libdeflate on several threads at once: the data is
// cut into pieces, each piece becomes a raw deflate stream of its own, and the
// streams are joined into one by clearing the final-block flag of all but the
// last and realigning each to a byte boundary with an empty stored block.
// Such a stream is inflated again on several threads when its split points
// are known. Depends on: libdeflate (compression, decompression, Adler-32),
// zlib (adler32_combine) and std::thread. Knows nothing of PNG.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// The zlib stream of data[0, size) at libdeflate `level`, the data cut at
// the offsets in `cuts` (ascending, none beyond `size`) into one piece more
// than there are cuts, each compressed on a thread of its own. Empty on
// failure. `piece_starts`, when given, receives where in the stream each
// piece after the first starts: each can be inflated on its own, as none
// refers back to data before it.
std::vector<std::uint8_t> parallel_zlib_compress(const std::uint8_t* data, std::size_t size, int level,
                                                 const std::vector<std::size_t>& cuts,
                                                 std::vector<std::size_t>* piece_starts = nullptr);

// Where a piece of a stream starts: its offset in the stream and in the data.
using SplitPoint = std::pair<std::size_t, std::size_t>;

// Inflates the zlib stream[0, size) into out[0, out_size), the pieces that
// start at `splits` (ascending) each on a thread of its own. False when the
// stream does not split there: a piece that does not inflate on its own to
// exactly its share of the data, or a checksum that does not match.
bool parallel_zlib_decompress(const std::uint8_t* stream, std::size_t size, const std::vector<SplitPoint>& splits,
                              std::uint8_t* out, std::size_t out_size);
