// Reads PNG files whose image data carries split points (png_split.h): the
// pieces are inflated with zlib on threads of their own, the rows unfiltered
// in order and turned into the image's ARGB pixels.
// Depends on: zlib (raw inflate, CRC-32, Adler-32), parallel_work, images
// (resize_f). Does not read any other kind of PNG: libpng does.

#include "graphics/png_split.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "graphics/parallel_work.h"

namespace frond {
namespace {

constexpr uint8_t png_signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t max_side = 16384;
constexpr size_t max_pieces = 16;

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

struct plain_png {
  uint32_t width = 0, height = 0;
  int channels = 0;
  std::vector<split_point> points;
  std::vector<uint8_t> stream;  // the IDAT chunks' data, joined
};

// Walks the chunks, checking every CRC; false for anything but IHDR (8-bit
// RGB or RGBA, not interlaced), one spLT before the IDATs, IDATs and IEND.
bool parse(const uint8_t* file, size_t size, plain_png& png) {
  if (size < 8 || std::memcmp(file, png_signature, 8) != 0) return false;
  for (size_t at = 8;;) {
    if (size - at < 12) return false;
    const uint32_t length = be32(file + at);
    if (length > size - at - 12) return false;
    const uint8_t* type = file + at + 4;
    const uint8_t* data = type + 4;
    if (crc32_z(0, type, size_t(length) + 4) != be32(data + length)) return false;
    at += 12 + size_t(length);
    if (png.channels == 0) {
      if (std::memcmp(type, "IHDR", 4) != 0 || length != 13 || data[8] != 8 || (data[9] != 2 && data[9] != 6) ||
          data[10] != 0 || data[11] != 0 || data[12] != 0)
        return false;
      png.width = be32(data), png.height = be32(data + 4);
      if (png.width == 0 || png.height == 0 || png.width > max_side || png.height > max_side) return false;
      png.channels = data[9] == 6 ? 4 : 3;
    } else if (std::memcmp(type, split_chunk_type, 4) == 0) {
      if (!png.points.empty() || !png.stream.empty() || length == 0 || length % 8 != 0 ||
          length / 8 >= max_pieces)
        return false;
      for (uint32_t i = 0; i < length; i += 8) png.points.push_back({be32(data + i), be32(data + i + 4)});
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      png.stream.insert(png.stream.end(), data, data + length);
    } else {
      return std::memcmp(type, "IEND", 4) == 0 && !png.points.empty();
    }
  }
}

// One piece of the stream inflated into its share of the data.
struct piece {
  const uint8_t* in;
  size_t in_size;
  uint8_t* out;
  size_t out_size;
  bool last;
  uLong adler = 1;
  bool ok = false;
};

// A piece that is not the last ends with a sync flush: no final block, and
// all its input used; the last ends the deflate stream. Either fills
// exactly its share. A piece that reaches back before its own start fails
// (zlib refuses a distance beyond what it has written).
void inflate_piece(piece& p) {
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) return;
  z.next_in = const_cast<Bytef*>(p.in);
  z.avail_in = uInt(p.in_size);
  z.next_out = p.out;
  z.avail_out = uInt(p.out_size);
  int status = inflate(&z, p.last ? Z_FINISH : Z_SYNC_FLUSH);
  if (!p.last && status == Z_OK && z.avail_out == 0 && z.avail_in > 0)
    status = inflate(&z, Z_SYNC_FLUSH);  // the flush's empty block, once the output is full
  p.ok = z.avail_in == 0 && z.avail_out == 0 &&
         (p.last ? status == Z_STREAM_END : status == Z_OK || status == Z_BUF_ERROR);
  inflateEnd(&z);
  if (p.ok) p.adler = adler32_z(1, p.out, p.out_size);
}

// Inflates the pieces on threads of their own; false when a piece fails or
// the joined checksum is not the stream's.
bool inflate_pieces(const plain_png& png, uint8_t* data, size_t data_size) {
  const std::vector<uint8_t>& s = png.stream;
  // The zlib header: deflate with at most a 32 KiB window, no preset dictionary.
  if (s.size() < 6 || (s[0] & 0x0F) != 8 || (s[0] >> 4) > 7 || (s[1] & 0x20) != 0 || (s[0] * 256 + s[1]) % 31 != 0)
    return false;
  if (s.size() - 4 > UINT32_MAX || data_size > UINT32_MAX) return false;
  std::vector<split_point> bounds = {{2, 0}};
  bounds.insert(bounds.end(), png.points.begin(), png.points.end());
  bounds.push_back({uint32_t(s.size() - 4), uint32_t(data_size)});
  std::vector<piece> pieces;
  for (size_t i = 0; i + 1 < bounds.size(); ++i) {
    const split_point from = bounds[i], to = bounds[i + 1];
    if (to.stream_offset <= from.stream_offset || to.data_offset <= from.data_offset) return false;
    pieces.push_back({s.data() + from.stream_offset, size_t(to.stream_offset - from.stream_offset),
                      data + from.data_offset, size_t(to.data_offset - from.data_offset), i + 2 == bounds.size()});
  }
  run_on_threads(pieces.size(), [&pieces](size_t i) { inflate_piece(pieces[i]); });
  uLong adler = 1;
  for (const piece& p : pieces) {
    if (!p.ok) return false;
    adler = adler32_combine(adler, p.adler, z_off_t(p.out_size));
  }
  return adler == be32(s.data() + s.size() - 4);
}

// Undoes one row's filter in place, `above` being the row above as decoded
// (zeros for the first row). Only "none" and "up", the filters the writers
// of split files use: false for any other.
bool unfilter_row(uint8_t type, uint8_t* __restrict row, const uint8_t* __restrict above, size_t size) {
  if (type == 2)
    for (size_t i = 0; i < size; ++i) row[i] = uint8_t(row[i] + above[i]);
  return type == 0 || type == 2;
}

}  // namespace

bool read_split_png(IMAGE* img, const uint8_t* file, size_t size) {
  plain_png png;
  if (!parse(file, size, png)) return false;
  const size_t stride = size_t(png.width) * size_t(png.channels), row_bytes = stride + 1;
  std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[row_bytes * png.height]);
  if (!data || !inflate_pieces(png, data.get(), row_bytes * png.height)) return false;
  const std::vector<uint8_t> zeros(stride, 0);
  for (uint32_t y = 0; y < png.height; ++y) {
    uint8_t* row = data.get() + y * row_bytes;
    if (!unfilter_row(row[0], row + 1, y == 0 ? zeros.data() : row + 1 - row_bytes, stride)) return false;
  }
  img->resize_f(int(png.width), int(png.height));
  // The rows become ARGB pixels in as many bands as the stream had pieces.
  const size_t bands = png.points.size() + 1;
  run_on_threads(bands, [&](size_t band) {
    for (size_t y = png.height * band / bands; y < png.height * (band + 1) / bands; ++y) {
      const uint8_t* in = data.get() + y * row_bytes + 1;
      argb_color* out = img->pixels + y * png.width;
      if (png.channels == 4)
        for (uint32_t x = 0; x < png.width; ++x, in += 4)
          out[x] = argb_color(in[3]) << 24 | argb_color(in[0]) << 16 | argb_color(in[1]) << 8 | in[2];
      else
        for (uint32_t x = 0; x < png.width; ++x, in += 3)
          out[x] = 0xFF000000u | argb_color(in[0]) << 16 | argb_color(in[1]) << 8 | in[2];
    }
  });
  return true;
}

}  // namespace frond
