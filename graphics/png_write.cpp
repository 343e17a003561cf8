// Writes an IMAGE as an 8-bit RGB or RGBA PNG, for speed over size: every
// row but the first takes the "up" filter and zlib runs at level 1. A large
// picture is cut into bands of rows that threads of their own filter and
// compress; each band's deflate data ends on a byte boundary (a sync flush)
// and starts without the previous band's window, so the bands join into one
// zlib stream whose checksum is combined from theirs, and readers that know
// the split points (png_split.h) inflate the bands on threads as well.
// Depends on: zlib (deflate, CRC-32, Adler-32), parallel_work, png_split. Does not write
// palettes, grey, 16-bit or interlaced files; a file that has to be small
// goes through the PNG tool afterwards.

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "graphics/image_files.h"
#include "graphics/parallel_work.h"
#include "graphics/png_split.h"

namespace frond {
namespace {

constexpr uint8_t png_signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t filter_none = 0, filter_up = 2;
constexpr int zlib_level = 1;
constexpr uint8_t zlib_header[2] = {0x78, 0x01};  // deflate, 32 KiB window, fastest
// Bands of at least this many filtered bytes, at most max_bands of them
// unless a band would pass max_band_bytes: the band count depends on the
// picture alone, so a file is the same on every machine. Each band costs a
// few hundred bytes of compression.
constexpr size_t min_band_bytes = size_t(512) << 10;
constexpr size_t max_band_bytes = size_t(1) << 30;
constexpr size_t max_bands = 4;
// Filtered rows go to deflate in batches of about this many bytes.
constexpr size_t batch_bytes = size_t(256) << 10;
constexpr size_t max_idat_bytes = size_t(1) << 20;

void put32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = uint8_t(value >> (24 - 8 * i));
}

// One PNG chunk: length, type, data, CRC of type and data.
bool write_chunk(FILE* file, const char type[4], const uint8_t* data, size_t size) {
  uint8_t head[8], tail[4];
  put32(head, uint32_t(size));
  std::copy(type, type + 4, head + 4);
  uLong crc = crc32(0L, head + 4, 4);
  if (size > 0) crc = crc32_z(crc, data, size);
  put32(tail, uint32_t(crc));
  return std::fwrite(head, 1, 8, file) == 8 && (size == 0 || std::fwrite(data, 1, size, file) == size) &&
         std::fwrite(tail, 1, 4, file) == 4;
}

// Packs one row of ARGB pixels as R, G, B (and A) bytes.
void pack_row(const argb_color* src, size_t width, bool with_alpha, uint8_t* out) {
  for (size_t x = 0; x < width; ++x) {
    const argb_color p = src[x];
    *out++ = uint8_t(p >> 16);
    *out++ = uint8_t(p >> 8);
    *out++ = uint8_t(p);
    if (with_alpha) *out++ = uint8_t(p >> 24);
  }
}

// The split chunk's data: each point's two offsets, big-endian.
std::vector<uint8_t> split_chunk_data(const std::vector<split_point>& points) {
  std::vector<uint8_t> data(points.size() * 8);
  for (size_t i = 0; i < points.size(); ++i) {
    put32(&data[8 * i], points[i].stream_offset);
    put32(&data[8 * i + 4], points[i].data_offset);
  }
  return data;
}

enum class band_result { ok, no_memory, failed };

// A band of rows [first, last) filtered and deflated: its raw deflate bytes
// and the Adler-32 of its filtered bytes.
struct band {
  int first = 0, last = 0;
  std::unique_ptr<uint8_t[]> bytes;
  size_t size = 0;
  uLong adler = 1;
  band_result result = band_result::failed;
};

// Fills `out`; the last band of the picture ends the deflate stream, the
// others end with a sync flush.
void compress_band(const IMAGE* img, bool with_alpha, bool last_band, band& out) {
  const size_t width = size_t(img->width), stride = width * (with_alpha ? 4 : 3), row_bytes = stride + 1;
  const size_t rows_per_batch = std::max<size_t>(1, batch_bytes / row_bytes);
  z_stream z{};
  if (deflateInit2(&z, zlib_level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    out.result = band_result::no_memory;
    return;
  }
  // The bound, and room for the sync flush's empty stored block.
  const size_t bound = deflateBound(&z, uLong(row_bytes * size_t(out.last - out.first))) + 16;
  out.bytes.reset(new (std::nothrow) uint8_t[bound]);
  const std::unique_ptr<uint8_t[]> batch(new (std::nothrow) uint8_t[row_bytes * rows_per_batch]);
  const std::unique_ptr<uint8_t[]> packed(new (std::nothrow) uint8_t[2 * stride]);
  if (!out.bytes || !batch || !packed) {
    deflateEnd(&z);
    out.result = band_result::no_memory;
    return;
  }
  uint8_t* above = packed.get();
  uint8_t* current = above + stride;
  if (out.first > 0) pack_row(img->pixels + size_t(out.first - 1) * width, width, with_alpha, above);
  z.next_out = out.bytes.get();
  z.avail_out = uInt(bound);
  bool ok = true;
  for (int y = out.first; ok && y < out.last;) {
    const int batch_end = int(std::min<size_t>(size_t(out.last), size_t(y) + rows_per_batch));
    uint8_t* row = batch.get();
    for (; y < batch_end; ++y, row += row_bytes) {
      pack_row(img->pixels + size_t(y) * width, width, with_alpha, current);
      row[0] = y == 0 ? filter_none : filter_up;
      if (y == 0)
        std::copy(current, current + stride, row + 1);
      else
        for (size_t i = 0; i < stride; ++i) row[i + 1] = uint8_t(current[i] - above[i]);
      std::swap(above, current);
    }
    const size_t filled = size_t(row - batch.get());
    out.adler = adler32_z(out.adler, batch.get(), filled);
    z.next_in = batch.get();
    z.avail_in = uInt(filled);
    const int flush = y < out.last ? Z_NO_FLUSH : last_band ? Z_FINISH : Z_SYNC_FLUSH;
    const int status = deflate(&z, flush);
    ok = z.avail_in == 0 && status == (flush == Z_FINISH ? Z_STREAM_END : Z_OK);
  }
  out.size = z.total_out;
  out.result = ok ? band_result::ok : band_result::failed;
  deflateEnd(&z);
}

// Cuts the rows into bands and compresses them on threads of their own.
std::vector<band> compress_bands(const IMAGE* img, bool with_alpha, size_t row_bytes) {
  const size_t filtered_bytes = row_bytes * size_t(img->height);
  const size_t most = std::min<size_t>(std::max(max_bands, filtered_bytes / max_band_bytes + 1), size_t(img->height));
  const size_t count = std::clamp<size_t>(filtered_bytes / min_band_bytes, 1, most);
  std::vector<band> bands(count);
  for (size_t i = 0; i < count; ++i) {
    bands[i].first = int(size_t(img->height) * i / count);
    bands[i].last = int(size_t(img->height) * (i + 1) / count);
  }
  run_on_threads(count, [&](size_t i) { compress_band(img, with_alpha, i + 1 == count, bands[i]); });
  return bands;
}

}  // namespace

int writepng(const IMAGE* img, FILE* file, bool with_alpha) {
  const size_t row_bytes = size_t(img->width) * (with_alpha ? 4 : 3) + 1;
  if (img->width <= 0 || img->height <= 0 || row_bytes > max_band_bytes) return -12;
  std::vector<uint8_t> stream(zlib_header, zlib_header + 2);
  std::vector<split_point> splits;
  try {
    const std::vector<band> bands = compress_bands(img, with_alpha, row_bytes);
    uLong adler = 1;
    for (const band& b : bands) {
      if (b.result != band_result::ok) return b.result == band_result::no_memory ? -1 : -12;
      adler = adler32_combine(adler, b.adler, z_off_t(row_bytes * size_t(b.last - b.first)));
      if (b.first > 0 && stream.size() <= UINT32_MAX && row_bytes * size_t(b.first) <= UINT32_MAX)
        splits.push_back({uint32_t(stream.size()), uint32_t(row_bytes * size_t(b.first))});
      stream.insert(stream.end(), b.bytes.get(), b.bytes.get() + b.size);
    }
    stream.resize(stream.size() + 4);
    put32(&stream[stream.size() - 4], uint32_t(adler));
  } catch (const std::bad_alloc&) {
    return -1;
  }

  uint8_t header[13];
  put32(header, uint32_t(img->width));
  put32(header + 4, uint32_t(img->height));
  header[8] = 8;                             // bits per channel
  header[9] = with_alpha ? 6 : 2;            // RGBA or RGB
  header[10] = header[11] = header[12] = 0;  // deflate, adaptive filtering, not interlaced
  bool written = std::fwrite(png_signature, 1, 8, file) == 8 && write_chunk(file, "IHDR", header, 13);
  if (written && !splits.empty()) {
    const std::vector<uint8_t> points = split_chunk_data(splits);
    written = write_chunk(file, split_chunk_type, points.data(), points.size());
  }
  for (size_t at = 0; written && at < stream.size(); at += max_idat_bytes)
    written = write_chunk(file, "IDAT", stream.data() + at, std::min(max_idat_bytes, stream.size() - at));
  return written && write_chunk(file, "IEND", nullptr, 0) ? 0 : -12;
}

}  // namespace frond
