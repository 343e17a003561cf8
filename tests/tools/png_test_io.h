// PNG reading and writing for the tool tests, through libpng directly.
// Depends on libpng only; knows nothing of the tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The IHDR fields as stored in the file, as "<width>x<height> depth <bits>
// type <colour type> interlace <method>"; empty when unreadable.
std::string png_header(const std::string& path);

// Every pixel as 8-bit RGBA (libpng's simplified reader); empty on failure.
std::vector<std::uint8_t> decode_rgba(const std::string& path);

// A file exactly as described: `rows` holds the packed sample bytes of every
// row (16-bit samples big-endian, as PNG stores them); `palette` RGB triples
// and `alpha` the tRNS entries for palette files.
struct PngSource {
  std::uint32_t width = 0, height = 0;
  int bit_depth = 8, colour_type = 2;
  bool interlaced = false;
  std::vector<std::uint8_t> rows;
  std::vector<std::uint8_t> palette, alpha;
};
bool write_png(const std::string& path, const PngSource& source);

// What libpng makes of 8-bit RGB pixels with all its default settings.
std::string default_libpng_png(const std::vector<std::uint8_t>& rgb, std::uint32_t width, std::uint32_t height);

// Grey (1 channel), grey and alpha (2) or RGB (3) samples as 8-bit RGBA,
// alpha opaque where there is none, for comparing with decode_rgba.
std::vector<std::uint8_t> to_rgba(const std::vector<std::uint8_t>& samples, int channels);
