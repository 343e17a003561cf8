#include "png_encode.h"

#include <zlib.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "parallel_deflate.h"

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kFilterUp = 2;
constexpr std::size_t kMaxIdat = 1u << 20;
constexpr unsigned kMaxThreads = 8;

void put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  for (int shift = 24; shift >= 0; shift -= 8) v.push_back(static_cast<std::uint8_t>(x >> shift));
}

bool write_chunk(FILE* out, const char type[4], const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> head;
  put32(head, static_cast<std::uint32_t>(size));
  head.insert(head.end(), type, type + 4);
  uLong crc = crc32(0L, head.data() + 4, 4);
  if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));
  std::vector<std::uint8_t> tail;
  put32(tail, static_cast<std::uint32_t>(crc));
  return std::fwrite(head.data(), 1, head.size(), out) == head.size() &&
         (size == 0 || std::fwrite(data, 1, size, out) == size) && std::fwrite(tail.data(), 1, 4, out) == 4;
}

unsigned thread_count(unsigned asked) {
  const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
  return std::min(asked ? asked : hardware, kMaxThreads);
}

}  // namespace

bool encode_png(FILE* out, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int channels,
                const PngEncoding& encoding) {
  if ((channels != 3 && channels != 4) || width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
    return false;
  const std::size_t stride = std::size_t(width) * channels;
  std::vector<std::uint8_t> filtered((stride + 1) * height);
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::uint8_t* row = pixels + y * stride;
    std::uint8_t* dst = &filtered[y * (stride + 1)];
    *dst++ = kFilterUp;
    if (y == 0) {
      std::copy(row, row + stride, dst);
    } else {
      const std::uint8_t* above = row - stride;
      for (std::size_t i = 0; i < stride; ++i) dst[i] = static_cast<std::uint8_t>(row[i] - above[i]);
    }
  }
  std::vector<std::uint8_t> stream;
  if (!parallel_deflate(filtered.data(), filtered.size(), encoding.zlib_level, thread_count(encoding.threads), stream))
    return false;

  std::vector<std::uint8_t> header;
  put32(header, width);
  put32(header, height);
  header.insert(header.end(), {8, static_cast<std::uint8_t>(channels == 4 ? 6 : 2), 0, 0, 0});
  if (std::fwrite(kSignature, 1, sizeof kSignature, out) != sizeof kSignature ||
      !write_chunk(out, "IHDR", header.data(), header.size()))
    return false;
  for (std::size_t at = 0; at < stream.size(); at += kMaxIdat)
    if (!write_chunk(out, "IDAT", stream.data() + at, std::min(kMaxIdat, stream.size() - at))) return false;
  return write_chunk(out, "IEND", nullptr, 0);
}
