// PNG files for the tool tests (see png_test_io.h): chunks with their CRCs
// and zlib-compressed rows for writing, libpng's simplified API for
// reading and for its default encoding. Depends on libpng and zlib only.
#include "tools/png_test_io.h"

#include <png.h>
#include <zlib.h>

#include <array>

namespace {

std::string be32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

std::string chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  return be32(std::uint32_t(data.size())) + body +
         be32(std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

std::string bytes(const std::vector<std::uint8_t>& v) { return std::string(v.begin(), v.end()); }

}  // namespace

std::string png_ihdr(std::uint32_t width, std::uint32_t height, int bit_depth, int colour_type, bool interlaced) {
  return be32(width) + be32(height) + char(bit_depth) + char(colour_type) + '\0' + '\0' + char(interlaced);
}

std::string png_ihdr_of(const std::string& file) {
  return file.size() < 29 || file.compare(12, 4, "IHDR") != 0 ? std::string() : file.substr(16, 13);
}

std::string png_file(const PngSource& s) {
  using Pass = std::array<std::uint32_t, 4>;  // first column, first row, column and row steps
  const std::vector<Pass> passes = s.interlaced ? std::vector<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                                                    {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
                                                : std::vector<Pass>{{0, 0, 1, 1}};
  const std::string rows = bytes(s.rows);
  const std::size_t stride = rows.size() / s.height, pixel = stride / s.width;
  std::string raw;
  for (const auto& [x0, y0, dx, dy] : passes)
    for (std::uint32_t y = y0; x0 < s.width && y < s.height; y += dy) {
      raw += '\0';  // no filter
      if (!s.interlaced) raw += rows.substr(y * stride, stride);
      for (std::uint32_t x = x0; s.interlaced && x < s.width; x += dx) raw += rows.substr(y * stride + x * pixel, pixel);
    }
  uLongf size = compressBound(uLong(raw.size()));
  std::string idat(size, '\0');
  compress(reinterpret_cast<Bytef*>(idat.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()));
  idat.resize(size);
  std::string file = std::string("\x89PNG\r\n\x1a\n", 8) +
                     chunk("IHDR", png_ihdr(s.width, s.height, s.bit_depth, s.colour_type, s.interlaced));
  if (!s.palette.empty()) file += chunk("PLTE", bytes(s.palette));
  if (!s.alpha.empty()) file += chunk("tRNS", bytes(s.alpha));
  return file + chunk("IDAT", idat) + chunk("IEND", "");
}

std::vector<std::uint8_t> decode_rgba(const std::string& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  std::vector<std::uint8_t> pixels;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return pixels;
  image.format = PNG_FORMAT_RGBA;
  image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) pixels.clear();
  png_image_free(&image);
  return pixels;
}

std::string default_libpng_png(const std::vector<std::uint8_t>& rgb, std::uint32_t width, std::uint32_t height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
  std::string file(size, '\0');
  if (!png_image_write_to_memory(&image, file.data(), &size, 0, rgb.data(), 0, nullptr)) return {};
  file.resize(size);
  // Without the sRGB chunk libpng adds, the file has only IHDR, IDAT and IEND,
  // as the client's pictures have.
  if (file.compare(37, 4, "sRGB") == 0) file.erase(33, 13);
  return file;
}
