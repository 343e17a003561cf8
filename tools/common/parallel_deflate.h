// A zlib stream compressed in strips on several threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Appends to `out` a complete zlib stream (header, deflate data, Adler-32) of
// `data`. The input is cut into up to `threads` strips of at least 256 KiB,
// each deflated on its own thread with the 32 KiB before it as dictionary
// and ended on a byte boundary, so the strips join into one stream nearly as
// small as a single pass (the approach of pigz). False when zlib fails.
bool parallel_deflate(const std::uint8_t* data, std::size_t size, int level, unsigned threads,
                      std::vector<std::uint8_t>& out);
