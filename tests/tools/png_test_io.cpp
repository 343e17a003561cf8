// PNG files for the tool tests (see png_test_io.h): the chunks written by
// support/png_builder.h, libpng's simplified API for reading and for its
// default encoding. Depends on libpng, zlib and support/png_builder.h.
#include "tools/png_test_io.h"

#include <png.h>

#include <array>

#include "support/png_builder.h"

std::string png_ihdr(std::uint32_t width, std::uint32_t height, int bit_depth, int colour_type, bool interlaced) {
  test_support::png_chunk header = test_support::ihdr(width, height, std::uint8_t(bit_depth), std::uint8_t(colour_type));
  header.data.back() = interlaced;
  return std::string(header.data.begin(), header.data.end());
}

std::string png_ihdr_of(const std::string& file) {
  return file.size() < 29 || file.compare(12, 4, "IHDR") != 0 ? std::string() : file.substr(16, 13);
}

// The rows go to png_builder as they are stored: whole rows, or each Adam7
// pass's pixels as rows of their own; the interlace method is set afterwards.
std::string png_file(const PngSource& s) {
  using Pass = std::array<std::uint32_t, 4>;  // first column, first row, column and row steps
  const std::vector<Pass> passes = s.interlaced ? std::vector<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                                                    {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
                                                : std::vector<Pass>{{0, 0, s.width, 1}};
  const std::size_t stride = s.rows.size() / s.height, pixel = s.interlaced ? stride / s.width : stride;
  std::vector<std::vector<std::uint8_t>> rows;
  for (const auto& [x0, y0, dx, dy] : passes)
    for (std::uint32_t y = y0; x0 < s.width && y < s.height; y += dy) {
      rows.emplace_back();
      for (std::uint32_t x = x0; x < s.width; x += dx) {
        const std::uint8_t* from = s.rows.data() + y * stride + x * pixel;
        rows.back().insert(rows.back().end(), from, from + pixel);
      }
    }
  std::vector<test_support::png_chunk> extra;
  if (!s.palette.empty()) extra.push_back({"PLTE", s.palette});
  if (!s.alpha.empty()) extra.push_back({"tRNS", s.alpha});
  std::vector<std::uint8_t> file = test_support::build_png(s.width, s.height, std::uint8_t(s.bit_depth),
                                                           std::uint8_t(s.colour_type), rows, extra);
  const std::string header = png_ihdr(s.width, s.height, s.bit_depth, s.colour_type, s.interlaced);
  std::vector<std::uint8_t> with_header(file.begin(), file.begin() + 8);
  test_support::append_chunk(with_header, {"IHDR", {header.begin(), header.end()}});
  with_header.insert(with_header.end(), file.begin() + 33, file.end());
  return std::string(with_header.begin(), with_header.end());
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
