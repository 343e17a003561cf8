// PNG files for the tool tests: written byte by byte exactly as described
// (any depth, palettes, Adam7), read back as RGBA through libpng's
// simplified reader, and what libpng writes with its defaults.
// Depends on libpng, zlib and support/png_builder.h; knows nothing of the tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The 13 bytes of an IHDR: width, height, depth, colour type, compression,
// filter and interlace method.
std::string png_ihdr(std::uint32_t width, std::uint32_t height, int bit_depth, int colour_type, bool interlaced = false);
// The IHDR bytes of a file; empty when it has none where PNG puts it.
std::string png_ihdr_of(const std::string& file);

// A file's description: `rows` holds the packed sample bytes of every row
// (16-bit samples big-endian; whole bytes a pixel when interlaced);
// `palette` RGB triples and `alpha` the tRNS entries for palette files.
struct PngSource {
  std::uint32_t width = 0, height = 0;
  int bit_depth = 8, colour_type = 2;
  bool interlaced = false;
  std::vector<std::uint8_t> rows;
  std::vector<std::uint8_t> palette, alpha;
};
// The file: signature, IHDR, PLTE and tRNS when given, one IDAT of
// unfiltered rows (of each Adam7 pass when interlaced), IEND.
std::string png_file(const PngSource& source);

// Every pixel of a file as 8-bit RGBA (16-bit samples scaled, not
// gamma-converted); empty when libpng cannot read it.
std::vector<std::uint8_t> decode_rgba(const std::string& file);

// What libpng makes of 8-bit RGB pixels with all its default settings (its
// adaptive row filters), less the sRGB chunk: a plain file as the client writes.
std::string default_libpng_png(const std::vector<std::uint8_t>& rgb, std::uint32_t width, std::uint32_t height);
