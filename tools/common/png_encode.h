// Writing 8-bit RGB or RGBA pixels as a non-interlaced PNG.
#pragma once

#include <cstdint>
#include <cstdio>

// Every row is stored with the "up" filter (its difference from the row
// above) and the stream is deflated at level 7 in strips on several threads.
// Measured on screenshots (bench/pngslim_bench.cpp): unfiltered rows lose
// badly wherever a photo or gradient shows, libpng's per-row adaptive choice
// costs time and compresses no better than "up", and level 7 in parallel
// strips is both smaller and several times faster than libpng's defaults.
struct PngEncoding {
  int zlib_level = 7;
  unsigned threads = 0;  // 0: one per hardware thread, at most 8
};

// Rows are tightly packed, width * channels bytes each, top row first;
// channels is 3 (RGB) or 4 (RGBA). False on a zlib or write error.
bool encode_png(FILE* out, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int channels,
                const PngEncoding& encoding = PngEncoding());
