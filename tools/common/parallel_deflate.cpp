// Parallel zlib compression with libdeflate, and inflating such streams
// again piece by piece (parallel_deflate.h). A raw deflate stream says where
// its blocks end only through its Huffman codes, so each piece's stream is
// walked, code by code without producing output, to find its final block.
// Depends on libdeflate, zlib's adler32_combine and on_threads.
#include "parallel_deflate.h"

#include <libdeflate.h>
#include <zlib.h>

#include <memory>
#include <new>

#include "on_threads.h"

namespace {

// Bits of a deflate stream, least significant bit of each byte first. A read
// past the end sets `over` and yields zeros.
class BitReader {
 public:
  BitReader(const std::uint8_t* data, std::size_t size) : data_(data), bits_(size * 8) {}
  unsigned bit() {
    if (position_ >= bits_) {
      over = true;
      return 0;
    }
    const unsigned b = (data_[position_ >> 3] >> (position_ & 7)) & 1u;
    ++position_;
    return b;
  }
  unsigned bits(int count) {
    unsigned value = 0;
    for (int i = 0; i < count; ++i) value |= bit() << i;
    return value;
  }
  // The next `count` (at most 16) bits without taking them; zeros past the end.
  unsigned peek(int count) const {
    std::uint32_t window = 0;
    const std::size_t byte = position_ >> 3;
    for (std::size_t i = 0; i < 3 && (byte + i) * 8 < bits_; ++i) window |= std::uint32_t(data_[byte + i]) << (8 * i);
    return (window >> (position_ & 7)) & ((1u << count) - 1);
  }
  void skip(std::size_t count) {
    position_ += count;
    if (position_ > bits_) over = true;
  }
  void align() { position_ = (position_ + 7) & ~std::size_t(7); }
  std::size_t position() const { return position_; }
  bool over = false;

 private:
  const std::uint8_t* data_;
  std::size_t bits_;
  std::size_t position_ = 0;
};

constexpr int kMaxBits = 15;
constexpr int kFastBits = 9;

// A canonical Huffman code: how many codes each length has, the symbols in
// code order, and for the next kFastBits bits of the stream the symbol and
// length of a code that short (0: a longer code).
struct Huffman {
  std::uint16_t count[kMaxBits + 1] = {};
  std::uint16_t symbol[288] = {};
  std::uint16_t fast[1 << kFastBits] = {};
};

// Codes are sent most significant bit first into a stream read from the
// least significant bit: the table is indexed by the code's bits reversed.
void fill_fast(Huffman& h) {
  int code = 0, index = 0;
  for (int len = 1; len <= kFastBits; ++len) {
    for (int i = 0; i < h.count[len]; ++i, ++code, ++index) {
      int reversed = 0;
      for (int b = 0; b < len; ++b) reversed |= ((code >> b) & 1) << (len - 1 - b);
      for (int rest = reversed; rest < (1 << kFastBits); rest += 1 << len)
        h.fast[rest] = std::uint16_t(h.symbol[index] | len << 9);
    }
    code <<= 1;
  }
}

// False when the lengths over-subscribe the code (an incomplete code is
// allowed, as deflate allows a single distance code).
bool build(Huffman& h, const std::uint8_t* lengths, int n) {
  for (int s = 0; s < n; ++s) ++h.count[lengths[s]];
  int left = 1;
  for (int len = 1; len <= kMaxBits; ++len) {
    left = 2 * left - h.count[len];
    if (left < 0) return false;
  }
  std::uint16_t offset[kMaxBits + 2] = {};
  for (int len = 1; len <= kMaxBits; ++len) offset[len + 1] = std::uint16_t(offset[len] + h.count[len]);
  for (int s = 0; s < n; ++s)
    if (lengths[s] != 0) h.symbol[offset[lengths[s]]++] = std::uint16_t(s);
  fill_fast(h);
  return true;
}

// The next symbol, -1 for a code the table does not hold.
int decode(BitReader& in, const Huffman& h) {
  if (const unsigned entry = h.fast[in.peek(kFastBits)]) {
    in.skip(entry >> 9);
    return int(entry & 511);
  }
  int code = 0, first = 0, index = 0;
  for (int len = 1; len <= kMaxBits; ++len) {
    code |= int(in.bit());
    const int count = h.count[len];
    if (code - first < count) return h.symbol[index + code - first];
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  return -1;
}

constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Walks the codes of one Huffman block up to its end-of-block code.
bool skip_codes(BitReader& in, const Huffman& lengths, const Huffman& distances) {
  for (;;) {
    const int symbol = decode(in, lengths);
    if (symbol < 0 || in.over) return false;
    if (symbol == 256) return true;
    if (symbol < 256) continue;
    if (symbol > 285) return false;
    in.skip(kLengthExtra[symbol - 257]);
    const int distance = decode(in, distances);
    if (distance < 0 || distance >= 30) return false;
    in.skip(kDistanceExtra[distance]);
  }
}

bool skip_fixed_block(BitReader& in) {
  std::uint8_t lengths[288 + 30];
  for (int s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
  for (int s = 288; s < 288 + 30; ++s) lengths[s] = 5;
  Huffman literal, distance;
  return build(literal, lengths, 288) && build(distance, lengths + 288, 30) && skip_codes(in, literal, distance);
}

bool skip_dynamic_block(BitReader& in) {
  static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  const int literals = int(in.bits(5)) + 257, distances = int(in.bits(5)) + 1, code_lengths = int(in.bits(4)) + 4;
  if (literals > 286 || distances > 30) return false;
  std::uint8_t lengths[286 + 30] = {};
  for (int i = 0; i < code_lengths; ++i) lengths[kOrder[i]] = std::uint8_t(in.bits(3));
  Huffman lengths_code;
  if (!build(lengths_code, lengths, 19)) return false;
  const int total = literals + distances;
  for (int i = 0; i < total;) {
    const int symbol = decode(in, lengths_code);
    if (symbol < 0 || in.over) return false;
    if (symbol < 16) {
      lengths[i++] = std::uint8_t(symbol);
      continue;
    }
    std::uint8_t repeated = 0;
    int times = 0;
    if (symbol == 16) {
      if (i == 0) return false;
      repeated = lengths[i - 1];
      times = 3 + int(in.bits(2));
    } else {
      times = symbol == 17 ? 3 + int(in.bits(3)) : 11 + int(in.bits(7));
    }
    if (i + times > total) return false;
    while (times-- > 0) lengths[i++] = repeated;
  }
  Huffman literal, distance;
  return build(literal, lengths, literals) && build(distance, lengths + literals, distances) &&
         skip_codes(in, literal, distance);
}

// Where the final block of a raw deflate stream starts and where the stream
// ends, in bits from its start.
struct DeflateEnd {
  std::size_t final_block_bit = 0;
  std::size_t end_bit = 0;
};

// False when the bytes are not a whole deflate stream.
bool find_deflate_end(const std::uint8_t* data, std::size_t size, DeflateEnd& end) {
  BitReader in(data, size);
  for (;;) {
    const std::size_t start = in.position();
    const bool final = in.bit() != 0;
    const unsigned type = in.bits(2);
    bool ok = false;
    if (type == 0) {
      in.align();
      const unsigned length = in.bits(16), inverse = in.bits(16);
      ok = (length ^ inverse) == 0xFFFF;
      in.skip(std::size_t(length) * 8);
    } else if (type == 1) {
      ok = skip_fixed_block(in);
    } else if (type == 2) {
      ok = skip_dynamic_block(in);
    }
    if (!ok || in.over) return false;
    if (final) {
      end.final_block_bit = start;
      end.end_bit = in.position();
      return true;
    }
  }
}

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// One piece: its raw deflate stream (left uninitialised beyond what the
// compressor writes: the bound is as large as the piece) and its Adler-32.
struct Piece {
  std::unique_ptr<std::uint8_t[]> bytes;
  DeflateEnd end;
  std::uint32_t adler = 1;
  bool ok = false;
};

// The last piece's stream is used as it is, so its end is not searched for.
void compress_piece(const std::uint8_t* data, std::size_t size, int level, bool last, Piece& piece) {
  piece.adler = libdeflate_adler32(1, data, size);
  std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(libdeflate_alloc_compressor(level));
  if (!compressor) return;
  const std::size_t bound = libdeflate_deflate_compress_bound(compressor.get(), size);
  piece.bytes.reset(new (std::nothrow) std::uint8_t[bound]);
  if (!piece.bytes) return;
  const std::size_t length = libdeflate_deflate_compress(compressor.get(), data, size, piece.bytes.get(), bound);
  piece.end.end_bit = length * 8;
  piece.ok = length > 0 && (last || find_deflate_end(piece.bytes.get(), length, piece.end));
}

// One piece of a stream to inflate into its share of the data. A piece
// before the last ends with an empty stored block that is not final: an
// empty final stored block is put after it, so that it is a whole deflate
// stream. Inflating fails where a piece refers back before its own start.
struct InflatePiece {
  const std::uint8_t* in;
  std::size_t in_size;
  std::uint8_t* out;
  std::size_t out_size;
  bool last;
  std::uint32_t adler = 1;
  bool ok = false;
};

void inflate_piece(InflatePiece& piece) {
  static constexpr std::uint8_t kFinalEmptyBlock[5] = {0x01, 0x00, 0x00, 0xFF, 0xFF};
  std::vector<std::uint8_t> closed;
  const std::uint8_t* in = piece.in;
  std::size_t in_size = piece.in_size;
  if (!piece.last) {
    closed.assign(piece.in, piece.in + piece.in_size);
    closed.insert(closed.end(), kFinalEmptyBlock, kFinalEmptyBlock + 5);
    in = closed.data(), in_size = closed.size();
  }
  const std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> inflater(libdeflate_alloc_decompressor());
  std::size_t used = 0;
  piece.ok = inflater && libdeflate_deflate_decompress_ex(inflater.get(), in, in_size, piece.out, piece.out_size,
                                                          &used, nullptr) == LIBDEFLATE_SUCCESS &&
             used == in_size;
  if (piece.ok) piece.adler = libdeflate_adler32(1, piece.out, piece.out_size);
}

}  // namespace

bool parallel_zlib_decompress(const std::uint8_t* stream, std::size_t size, const std::vector<SplitPoint>& splits,
                              std::uint8_t* out, std::size_t out_size) {
  // The zlib header: deflate with at most a 32 KiB window, no preset dictionary.
  if (size < 6 || (stream[0] & 0x0F) != 8 || (stream[0] >> 4) > 7 || (stream[1] & 0x20) != 0 ||
      (stream[0] * 256 + stream[1]) % 31 != 0)
    return false;
  std::vector<SplitPoint> bounds = {{2, 0}};
  bounds.insert(bounds.end(), splits.begin(), splits.end());
  bounds.emplace_back(size - 4, out_size);
  std::vector<InflatePiece> pieces;
  for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
    const SplitPoint from = bounds[i], to = bounds[i + 1];
    if (to.first <= from.first || to.second < from.second) return false;  // an empty piece still has its block
    pieces.push_back({stream + from.first, to.first - from.first, out + from.second, to.second - from.second,
                      i + 2 == bounds.size()});
  }
  on_threads(pieces.size(), [&pieces](std::size_t i) { inflate_piece(pieces[i]); });
  uLong adler = 1;
  for (const InflatePiece& piece : pieces) {
    if (!piece.ok) return false;
    adler = adler32_combine(adler, piece.adler, z_off_t(piece.out_size));
  }
  const std::uint8_t* trailer = stream + size - 4;
  return adler == (uLong(trailer[0]) << 24 | uLong(trailer[1]) << 16 | uLong(trailer[2]) << 8 | trailer[3]);
}

std::vector<std::uint8_t> parallel_zlib_compress(const std::uint8_t* data, std::size_t size, int level,
                                                 const std::vector<std::size_t>& cuts,
                                                 std::vector<std::size_t>* piece_starts) {
  std::vector<std::size_t> bounds = {0};
  bounds.insert(bounds.end(), cuts.begin(), cuts.end());
  bounds.push_back(size);
  for (std::size_t i = 1; i < bounds.size(); ++i)
    if (bounds[i] < bounds[i - 1]) return {};
  std::vector<Piece> pieces(cuts.size() + 1);
  on_threads(pieces.size(), [&](std::size_t i) {
    compress_piece(data + bounds[i], bounds[i + 1] - bounds[i], level, i + 1 == pieces.size(), pieces[i]);
  });
  std::vector<std::uint8_t> out = {0x78, 0x9C};  // deflate, 32 KiB window, default level
  std::uint32_t adler = 1;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    Piece& piece = pieces[i];
    if (!piece.ok) return {};
    adler = std::uint32_t(adler32_combine(adler, piece.adler, z_off_t(bounds[i + 1] - bounds[i])));
    const std::size_t used = (piece.end.end_bit + 7) / 8;
    out.insert(out.end(), piece.bytes.get(), piece.bytes.get() + used);
    if (i + 1 == pieces.size()) break;
    // Not the last: its final block goes on, and an empty stored block
    // (three zero header bits, then zeros to the byte boundary) brings the
    // next piece to a byte boundary. The header fits in the padding bits
    // when three or more are left; otherwise it takes one more byte.
    std::uint8_t& flagged = out[out.size() - used + piece.end.final_block_bit / 8];
    flagged = std::uint8_t(flagged & ~(1u << (piece.end.final_block_bit % 8)));
    if (used * 8 - piece.end.end_bit < 3) out.push_back(0);
    out.insert(out.end(), {0x00, 0x00, 0xFF, 0xFF});
    if (piece_starts != nullptr) piece_starts->push_back(out.size());
  }
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(adler >> shift));
  return out;
}
