// PNG writer of the tools: filters the rows, compresses them with libdeflate
// (on several threads for large pictures; zlib's run-length strategy for
// nearly uniform ones) and writes the chunks; a stream made in pieces gets
// its split points in a private chunk, "spLT" (stream and data offsets of
// each piece after the first, 32 bits big-endian), for readers that inflate
// the pieces on several threads. Depends on libdeflate,
// parallel_deflate and zlib (CRC, run-length deflate). Does not
// write palettes, grey, 16-bit or interlaced files.
#include "png_encode.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <thread>
#include <utility>
#include <vector>

#include "on_threads.h"
#include "parallel_deflate.h"


namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kFilterNone = 0;
constexpr std::uint8_t kFilterUp = 2;
constexpr std::size_t kMaxIdat = 1u << 20;
// Data with fewer than one non-zero byte in this many is a nearly uniform picture.
constexpr std::size_t kUniformRatio = 256;
constexpr std::size_t kPieceBytes = std::size_t(1) << 20;
constexpr std::size_t kMaxPieces = 4;

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

// libpng's measure of how well a filtered row will compress: the sum of its
// bytes taken as signed values, small where the row is mostly zeros.
std::uint32_t signed_sum(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += std::min(bytes[i], static_cast<std::uint8_t>(-bytes[i]));
  return sum;
}

// One filter byte, then the row: its "up" differences, or the row itself
// where that measures no worse (a black area then stays one run of zeros
// that no filter byte interrupts).
void filter_row(const std::uint8_t* row, const std::uint8_t* above, std::size_t stride, std::uint8_t* dst) {
  if (above != nullptr) {
    for (std::size_t i = 0; i < stride; ++i) dst[i + 1] = static_cast<std::uint8_t>(row[i] - above[i]);
    if (signed_sum(dst + 1, stride) < signed_sum(row, stride)) {
      dst[0] = kFilterUp;
      return;
    }
  }
  dst[0] = kFilterNone;
  std::copy(row, row + stride, dst + 1);
}

// Bytes that are not zeroed first: every one the encoder reads it has
// written, and a 4 MB buffer of which a compressed stream fills a tenth
// should not have all its pages touched.
struct Bytes {
  explicit Bytes(std::size_t n) : data(new std::uint8_t[n]), size(n) {}
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size;
};

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

// The zlib stream's length in `out` (0 when zlib fails).
std::size_t deflate_rle(const Bytes& data, std::unique_ptr<Bytes>& out) {
  z_stream z{};
  if (deflateInit2(&z, 1, Z_DEFLATED, 15, 9, Z_RLE) != Z_OK) return 0;
  out = std::make_unique<Bytes>(deflateBound(&z, data.size));
  z.next_in = data.data.get();
  z.avail_in = static_cast<uInt>(data.size);
  z.next_out = out->data.get();
  z.avail_out = static_cast<uInt>(out->size);
  const bool ok = deflate(&z, Z_FINISH) == Z_STREAM_END;
  deflateEnd(&z);
  return ok ? z.total_out : 0;
}

// How many pieces a large input is cut into for threads of their own to
// compress: pieces of at least kPieceBytes, at most one a core and
// kMaxPieces in all. Each piece starts without the previous one's window,
// which costs a few hundred bytes on a screen picture.
std::size_t piece_count(std::size_t size) {
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  return std::min({kMaxPieces, cores, std::max<std::size_t>(1, size / kPieceBytes)});
}

// The filtered rows, and how many bytes of each row are not zero.
struct FilteredRows {
  explicit FilteredRows(std::size_t size, std::uint32_t height) : bytes(size), row_nonzero(height) {}
  Bytes bytes;
  std::vector<std::size_t> row_nonzero;
};

// Filters every row; large pictures in bands of rows (as many as their
// stream has pieces) on threads of their own.
void filter_rows(const std::uint8_t* pixels, std::size_t stride, std::uint32_t height, FilteredRows& filtered) {
  const std::size_t bands = piece_count(filtered.bytes.size);
  const auto filter_band = [&](std::size_t band) {
    const std::uint32_t first = std::uint32_t(height * band / bands), last = std::uint32_t(height * (band + 1) / bands);
    for (std::uint32_t y = first; y < last; ++y) {
      const std::uint8_t* row = pixels + y * stride;
      std::uint8_t* dst = filtered.bytes.data.get() + y * (stride + 1);
      filter_row(row, y == 0 ? nullptr : row - stride, stride, dst);
      filtered.row_nonzero[y] = stride + 1 - std::size_t(std::count(dst, dst + stride + 1, 0));
    }
  };
  on_threads(bands, filter_band);
}

// Cuts between rows that give each piece about the same work. A row's work
// is taken as its non-zero bytes plus an eighth of all its bytes: runs of
// zeros compress as long matches, several times faster than detail.
std::vector<std::size_t> balanced_cuts(const std::vector<std::size_t>& row_nonzero, std::size_t row_bytes,
                                       std::size_t pieces) {
  const auto work = [row_bytes](std::size_t nonzero) { return nonzero + row_bytes / 8; };
  std::size_t total = 0;
  for (std::size_t n : row_nonzero) total += work(n);
  std::vector<std::size_t> cuts;
  std::size_t done = 0;
  for (std::size_t y = 0; y < row_nonzero.size() && cuts.size() + 1 < pieces; ++y) {
    done += work(row_nonzero[y]);
    if (done * pieces >= total * (cuts.size() + 1)) cuts.push_back((y + 1) * row_bytes);
  }
  return cuts;
}

// A zlib stream of the filtered rows (empty on failure), and its split
// points: where in the stream a piece that inflates on its own starts, and
// where in the data. Nearly uniform pictures (almost every filtered byte
// zero) go to zlib's run-length strategy, which beats libdeflate's block
// overhead there in the same time; everything else to libdeflate, on
// several threads when the data is large.
std::vector<std::uint8_t> compress(const FilteredRows& filtered, std::size_t row_bytes, int level,
                                   std::vector<std::pair<std::size_t, std::size_t>>& splits) {
  const Bytes& data = filtered.bytes;
  const std::uint8_t* begin = data.data.get();
  const std::size_t nonzero =
      std::accumulate(filtered.row_nonzero.begin(), filtered.row_nonzero.end(), std::size_t(0));
  std::unique_ptr<Bytes> out;
  std::size_t length = 0;
  if (nonzero * kUniformRatio < data.size) {
    length = deflate_rle(data, out);
  } else {
    const std::vector<std::size_t> cuts = balanced_cuts(filtered.row_nonzero, row_bytes, piece_count(data.size));
    if (!cuts.empty()) {
      std::vector<std::size_t> starts;
      std::vector<std::uint8_t> joined = parallel_zlib_compress(begin, data.size, level, cuts, &starts);
      if (!joined.empty()) {
        for (std::size_t i = 0; i < cuts.size(); ++i) splits.emplace_back(starts[i], cuts[i]);
        return joined;
      }  // otherwise in one piece, as below
    }
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(libdeflate_alloc_compressor(level));
    if (!compressor) return {};
    out = std::make_unique<Bytes>(libdeflate_zlib_compress_bound(compressor.get(), data.size));
    length = libdeflate_zlib_compress(compressor.get(), begin, data.size, out->data.get(), out->size);
  }
  return length == 0 ? std::vector<std::uint8_t>() : std::vector<std::uint8_t>(out->data.get(), out->data.get() + length);
}

}  // namespace

bool encode_png(FILE* out, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int channels,
                const PngEncoding& encoding) {
  if ((channels != 3 && channels != 4) || width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
    return false;
  const std::size_t stride = std::size_t(width) * channels;
  FilteredRows filtered((stride + 1) * height, height);
  filter_rows(pixels, stride, height, filtered);
  std::vector<std::pair<std::size_t, std::size_t>> splits;
  const std::vector<std::uint8_t> stream = compress(filtered, stride + 1, encoding.level, splits);
  if (stream.empty()) return false;
  const std::uint8_t* deflated = stream.data();
  const std::size_t length = stream.size();

  std::vector<std::uint8_t> header;
  put32(header, width);
  put32(header, height);
  header.insert(header.end(), {8, static_cast<std::uint8_t>(channels == 4 ? 6 : 2), 0, 0, 0});
  if (std::fwrite(kSignature, 1, sizeof kSignature, out) != sizeof kSignature ||
      !write_chunk(out, "IHDR", header.data(), header.size()))
    return false;
  // The split points, for readers that inflate the pieces on several threads:
  // each as the offsets in the stream and in the data, 32 bits big-endian.
  std::vector<std::uint8_t> points;
  for (const auto& [in_stream, in_data] : splits) {
    if (in_stream > 0xFFFFFFFFu || in_data > 0xFFFFFFFFu) {
      points.clear();
      break;
    }
    put32(points, static_cast<std::uint32_t>(in_stream));
    put32(points, static_cast<std::uint32_t>(in_data));
  }
  if (!points.empty() && !write_chunk(out, "spLT", points.data(), points.size())) return false;
  for (std::size_t at = 0; at < length; at += kMaxIdat)
    if (!write_chunk(out, "IDAT", deflated + at, std::min(kMaxIdat, length - at))) return false;
  return write_chunk(out, "IEND", nullptr, 0);
}
