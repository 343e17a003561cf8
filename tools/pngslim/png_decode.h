// Reading any PNG that libpng reads as 8-bit RGB or RGBA pixels.
// Depends on: libpng, libdeflate; encodes nothing (see common/png_encode).
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

struct RgbaImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int channels = 4;                  // 3 (RGB) or 4 (RGBA)
  std::vector<std::uint8_t> pixels;  // width * channels bytes a row, top row first
};

// Palette, grey and low bit depths are expanded, 16-bit samples scaled to 8,
// transparency chunks turned into alpha, interlaced files de-interlaced.
// Pixel values are otherwise kept as stored: no gamma or colour conversion.
// Files without any alpha (no alpha channel, no transparency chunk) come out
// as RGB, the others as RGBA.
// False for anything that is not a readable PNG within the size limit.
bool decode_png(FILE* in, RgbaImage& image);

// Repacks RGBA to RGB when every pixel is opaque; returns the channel count left.
int drop_opaque_alpha(RgbaImage& image);
