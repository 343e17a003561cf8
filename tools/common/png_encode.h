// Writing 8-bit RGB or RGBA pixels as a non-interlaced PNG.
// Depends on: libdeflate and zlib (png_encode.cpp writes the PNG chunks itself). Decodes nothing
// (pngslim/png_decode).
#pragma once

#include <cstdint>
#include <cstdio>

// Each row is stored with the "up" filter (its difference from the row above)
// or unfiltered, whichever libpng's heuristic (smallest sum of signed bytes)
// prefers; black areas so become long runs of zeros. The stream is deflated by libdeflate, large ones in
// pieces on several threads (parallel_deflate.h).
// Measured on screenshots (bench/pngslim_bench.cpp): unfiltered rows lose
// badly wherever a photo or gradient shows, libpng's per-row adaptive choice
// costs time and compresses no better than "up", and libdeflate at level 6
// is smaller than zlib at level 6 in well under half the time. Nearly uniform
// pictures, where libdeflate's block overhead shows, take zlib's run-length
// strategy instead, which stays below libpng's defaults there.
struct PngEncoding {
  int level = 6;  // libdeflate's compression level, 1..12
};

// Rows are tightly packed, width * channels bytes each, top row first;
// channels is 3 (RGB) or 4 (RGBA). False on a compression or write error.
bool encode_png(FILE* out, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int channels,
                const PngEncoding& encoding = PngEncoding());
