// The platform decoder: turns the bytes of a BMP, JPEG, GIF, TIFF or PNG file
// into straight (non-premultiplied) 32-bit ARGB pixels, rows top to bottom.
// Each format has its own decoder; decode() picks one by the file's leading
// bytes. Every decoder treats its input as hostile: sizes are checked before
// use, library errors come back as a failed result, and no side of a picture
// may exceed max_side pixels.
// Depends on: the standard library (the decoders use giflib, libjpeg-turbo, libtiff, libpng). Encodes
// nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform::imaging {

constexpr uint32_t max_side = 16384;

struct ArgbImage {
  uint32_t width = 0;
  uint32_t height = 0;
  // width x height words 0xAARRGGBB without row padding.
  std::unique_ptr<uint8_t[]> pixels;

  uint32_t* row(uint32_t y) { return reinterpret_cast<uint32_t*>(pixels.get()) + size_t(y) * width; }
};

enum class decode_result { ok, unknown_format, failed };

// The most pixels one byte of a format's file can stand for, from the best
// its compression can do: a header that announces more pixels than the
// whole file could fill is refused before any memory is taken for them.
constexpr uint64_t bmp_pixels_per_byte = 16384;   // RLE delta escapes skip 255 x 255 pixels in 4 bytes
constexpr uint64_t gif_pixels_per_byte = 2731;    // one 12-bit LZW code stands for at most 4096 pixels
constexpr uint64_t jpeg_pixels_per_byte = 8192;   // far past a bit per 8x8 block, arithmetic coding included
constexpr uint64_t tiff_pixels_per_byte = 131072; // a CCITT fax code can stand for a whole white row
constexpr uint64_t png_pixels_per_byte = 8256;    // deflate's 1032:1 of one bit per pixel

// True when `data_size` bytes at `pixels_per_byte` could fill width x height.
bool fits_data(uint64_t width, uint64_t height, size_t data_size, uint64_t pixels_per_byte);

// Gives `image` room for width x height pixels (contents undefined); false
// when a side is 0 or above max_side, when `data_size` bytes at
// `pixels_per_byte` could not fill so many pixels, or when the memory
// cannot be had.
bool allocate(ArgbImage& image, uint64_t width, uint64_t height, size_t data_size, uint64_t pixels_per_byte);

// Decodes a whole file held in memory.
decode_result decode(const uint8_t* data, size_t size, ArgbImage& image);

// The decoders, each for a file already recognised as its format; false when
// the file cannot be decoded. On failure `image` may hold a partial picture.
bool decode_bmp(const uint8_t* data, size_t size, ArgbImage& image);
bool decode_jpeg(const uint8_t* data, size_t size, ArgbImage& image);
bool decode_gif(const uint8_t* data, size_t size, ArgbImage& image);
bool decode_tiff(const uint8_t* data, size_t size, ArgbImage& image);
bool decode_png(const uint8_t* data, size_t size, ArgbImage& image);

}  // namespace platform::imaging
