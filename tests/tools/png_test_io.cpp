// PNG files for the tool tests through libpng: the IHDR fields as stored,
// every pixel as RGBA, files written exactly as described, and what libpng
// writes with its defaults. Depends on libpng and zlib only.
#include "tools/png_test_io.h"

#include <png.h>

#include <cstdio>

#include "tools/tool_process.h"

namespace {

std::uint32_t be32(const std::string& s, std::size_t at) {
  return std::uint32_t(std::uint8_t(s[at])) << 24 | std::uint32_t(std::uint8_t(s[at + 1])) << 16 |
         std::uint32_t(std::uint8_t(s[at + 2])) << 8 | std::uint8_t(s[at + 3]);
}

}  // namespace

PngHeader read_header(const std::string& path) {
  const std::string bytes = read_file(path);
  PngHeader h;
  if (bytes.size() < 29 || bytes.compare(12, 4, "IHDR") != 0) return h;
  h.width = be32(bytes, 16);
  h.height = be32(bytes, 20);
  h.bit_depth = std::uint8_t(bytes[24]);
  h.colour_type = std::uint8_t(bytes[25]);
  h.interlace = std::uint8_t(bytes[28]);
  return h;
}

std::vector<std::uint8_t> decode_rgba(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  std::vector<std::uint8_t> pixels;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return pixels;
  image.format = PNG_FORMAT_RGBA;
  pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) pixels.clear();
  png_image_free(&image);
  return pixels;
}

// libpng reports errors by longjmp; nothing with a destructor lives between
// setjmp and the calls that may jump.
namespace {

// The libpng part of write_png, apart so that nothing set up before setjmp
// lives in the function that longjmp returns into.
bool encode_png(FILE* out, const PngSource& source, png_bytep* rows, png_color* palette, int palette_count) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, out);
  png_set_IHDR(png, info, source.width, source.height, source.bit_depth, source.colour_type,
               source.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (palette_count > 0) png_set_PLTE(png, info, palette, palette_count);
  if (!source.alpha.empty())
    png_set_tRNS(png, info, source.alpha.data(), static_cast<int>(source.alpha.size()), nullptr);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool write_png(const std::string& path, const PngSource& source) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const std::size_t stride = source.rows.size() / source.height;
  std::vector<png_bytep> rows(source.height);
  for (std::uint32_t y = 0; y < source.height; ++y) rows[y] = const_cast<png_bytep>(source.rows.data() + y * stride);
  std::vector<png_color> palette(source.palette.size() / 3);
  for (std::size_t i = 0; i < palette.size(); ++i)
    palette[i] = {source.palette[3 * i], source.palette[3 * i + 1], source.palette[3 * i + 2]};
  const bool encoded = encode_png(out, source, rows.data(), palette.data(), static_cast<int>(palette.size()));
  return std::fclose(out) == 0 && encoded;
}

std::string default_libpng_png(const std::vector<std::uint8_t>& rgb, std::uint32_t width, std::uint32_t height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), 0, nullptr)) return {};
  bytes.resize(size);
  return bytes;
}

std::vector<std::uint8_t> with_opaque_alpha(const std::vector<std::uint8_t>& rgb) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(rgb.size() / 3 * 4);
  for (std::size_t i = 0; i < rgb.size(); i += 3) rgba.insert(rgba.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
  return rgba;
}
