// Reads a PNG into 8-bit RGB or RGBA pixels (png_decode.h). The file is
// read whole. A plain file (only IHDR, IDAT, IEND and our split-point
// chunk, 8-bit RGB or RGBA, not interlaced: what the client's savepng
// writes) is decoded here, with libdeflate, which inflates it about three
// times as fast as zlib, on several threads where split points allow;
// every other file, and any plain one this reader declines, goes to libpng,
// which so decides every pixel and every error of the others.
// Depends on: libpng, libdeflate, common/parallel_deflate. Encodes nothing
// (common/png_encode).
//
// libpng reports errors by longjmp to the setjmp below; everything with a
// destructor is built before setjmp so that nothing is skipped on the way out.
#include "png_decode.h"

#include <libdeflate.h>
#include <png.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "common/parallel_deflate.h"

namespace {

// Pictures far larger than any screen are refused before memory is committed.
constexpr std::uint32_t kMaxSide = 16384;
constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 26;
// No readable picture within those limits makes a larger file.
constexpr std::size_t kMaxFileBytes = std::size_t(1) << 30;
// More split points than any of our writers makes are not taken.
constexpr std::uint32_t kMaxSplitPoints = 16;

// Room is made once for a regular file: a buffer grown by doubling would
// copy and fault in megabytes more for an uncompressed picture.
bool read_whole(FILE* in, std::vector<std::uint8_t>& bytes) {
  struct stat status {};
  if (fstat(fileno(in), &status) == 0 && S_ISREG(status.st_mode) && std::uint64_t(status.st_size) < kMaxFileBytes)
    bytes.reserve(std::size_t(status.st_size));
  std::uint8_t block[1 << 16];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, in)) > 0;) {
    if (bytes.size() + n > kMaxFileBytes) return false;
    bytes.insert(bytes.end(), block, block + n);
  }
  return !std::ferror(in);
}

std::uint32_t be32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::uint8_t paeth(int left, int above, int above_left) {
  const int p = left + above - above_left;
  const int pa = std::abs(p - left), pb = std::abs(p - above), pc = std::abs(p - above_left);
  return std::uint8_t(pa <= pb && pa <= pc ? left : pb <= pc ? above : above_left);
}

// Undoes one row's filter in place: `row` holds the filtered bytes, `above`
// the row above as decoded (zeros for the first row). False for a filter
// type PNG does not have.
bool unfilter_row(std::uint8_t type, std::uint8_t* __restrict row, const std::uint8_t* __restrict above,
                  std::size_t size, std::size_t bpp) {
  switch (type) {
    case 0: return true;
    case 2:
      for (std::size_t i = 0; i < size; ++i) row[i] = std::uint8_t(row[i] + above[i]);
      return true;
    case 1:
    case 3:
    case 4:
      for (std::size_t i = 0; i < size; ++i) {
        const int left = i >= bpp ? row[i - bpp] : 0, above_left = i >= bpp ? above[i - bpp] : 0;
        const int predicted = type == 1 ? left : type == 3 ? (left + above[i]) >> 1 : paeth(left, above[i], above_left);
        row[i] = std::uint8_t(row[i] + predicted);
      }
      return true;
    default: return false;
  }
}

struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// The plain files described above; false hands the file to libpng.
bool decode_plain(const std::vector<std::uint8_t>& file, RgbaImage& image) {
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (file.size() < 8 || !std::equal(kSignature, kSignature + 8, file.begin())) return false;
  std::vector<std::pair<const std::uint8_t*, std::uint32_t>> idat;
  std::vector<SplitPoint> splits;
  std::size_t compressed_size = 0;
  std::uint32_t width = 0, height = 0;
  int channels = 0;
  for (std::size_t at = 8;;) {
    if (file.size() - at < 12) return false;
    const std::uint32_t length = be32(&file[at]);
    if (length > file.size() - at - 12) return false;
    const std::uint8_t* type = &file[at + 4];
    const std::uint8_t* data = type + 4;
    if (libdeflate_crc32(0, type, length + 4) != be32(data + length)) return false;
    at += 12 + std::size_t(length);
    if (channels == 0) {
      // IHDR first: 8-bit RGB or RGBA, compression, filter and interlace methods 0.
      if (std::memcmp(type, "IHDR", 4) != 0 || length != 13 || data[8] != 8 || (data[9] != 2 && data[9] != 6) ||
          data[10] != 0 || data[11] != 0 || data[12] != 0)
        return false;
      width = be32(data), height = be32(data + 4);
      if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
          std::uint64_t(width) * height > kMaxPixels)
        return false;
      channels = data[9] == 6 ? 4 : 3;
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      idat.emplace_back(data, length);
      compressed_size += length;
    } else if (std::memcmp(type, "spLT", 4) == 0) {
      // The split points of our own writers: pairs of 32-bit offsets.
      if (length % 8 != 0 || length / 8 >= kMaxSplitPoints || !splits.empty()) return false;
      for (std::uint32_t i = 0; i < length; i += 8) splits.emplace_back(be32(data + i), be32(data + i + 4));
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      break;
    } else {
      return false;
    }
  }
  const std::size_t stride = std::size_t(width) * channels;
  const std::size_t filtered_size = (stride + 1) * height;
  // Rows stored nearly uncompressed gain nothing here: libpng reads them
  // as fast, without the copies.
  if (compressed_size > filtered_size / 2) return false;
  std::vector<std::uint8_t> compressed;
  compressed.reserve(compressed_size);
  for (const auto& [data, length] : idat) compressed.insert(compressed.end(), data, data + length);
  // The rows are inflated into the pixels' own buffer and each is moved down
  // over the filter bytes before it is unfiltered in place.
  const std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> inflater(libdeflate_alloc_decompressor());
  if (!inflater) return false;
  auto& pixels = image.pixels;
  try {
    pixels.resize(filtered_size);
  } catch (const std::bad_alloc&) {  // libpng refuses the picture in its own words
    return false;
  }
  // Split points that do not hold cost one more try in one piece.
  if ((splits.empty() ||
       !parallel_zlib_decompress(compressed.data(), compressed.size(), splits, pixels.data(), filtered_size)) &&
      libdeflate_zlib_decompress(inflater.get(), compressed.data(), compressed.size(), pixels.data(), filtered_size,
                                 nullptr) != LIBDEFLATE_SUCCESS)
    return false;
  const std::vector<std::uint8_t> zeros(stride, 0);
  for (std::uint32_t y = 0; y < height; ++y) {
    std::uint8_t* row = pixels.data() + y * stride;
    const std::uint8_t type = row[y];
    std::memmove(row, row + y + 1, stride);
    if (!unfilter_row(type, row, y == 0 ? zeros.data() : row - stride, stride, std::size_t(channels))) return false;
  }
  pixels.resize(stride * height);
  image.width = width, image.height = height, image.channels = channels;
  return true;
}

struct MemorySource {
  const std::vector<std::uint8_t>& bytes;
  std::size_t position;
};

void read_memory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (length > source->bytes.size() - source->position) png_error(png, "read past the end of the file");
  std::memcpy(out, source->bytes.data() + source->position, length);
  source->position += length;
}

bool decode_with_libpng(const std::vector<std::uint8_t>& file, RgbaImage& image) {
  std::vector<png_bytep> rows;
  MemorySource source{file, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_set_read_fn(png, &source, read_memory);
  png_read_info(png, info);

  const bool has_alpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 ||
                         png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  image.channels = has_alpha ? 4 : 3;
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  image.width = png_get_image_width(png, info);
  image.height = png_get_image_height(png, info);
  if (std::uint64_t(image.width) * image.height > kMaxPixels) png_error(png, "picture too large");
  const std::size_t stride = std::size_t(image.width) * image.channels;
  if (png_get_rowbytes(png, info) != stride) png_error(png, "unexpected row layout");
  image.pixels.resize(stride * image.height);
  rows.resize(image.height);
  for (std::uint32_t y = 0; y < image.height; ++y) rows[y] = image.pixels.data() + y * stride;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

}  // namespace

bool decode_png(FILE* in, RgbaImage& image) {
  std::vector<std::uint8_t> file;
  if (!read_whole(in, file)) return false;
  return decode_plain(file, image) || decode_with_libpng(file, image);
}

int drop_opaque_alpha(RgbaImage& image) {
  auto& p = image.pixels;
  if (image.channels == 3) return 3;
  for (std::size_t i = 3; i < p.size(); i += 4)
    if (p[i] != 0xFF) return 4;
  std::size_t out = 0;
  for (std::size_t i = 0; i < p.size(); i += 4) {
    p[out++] = p[i];
    p[out++] = p[i + 1];
    p[out++] = p[i + 2];
  }
  p.resize(out);
  image.channels = 3;
  return 3;
}
