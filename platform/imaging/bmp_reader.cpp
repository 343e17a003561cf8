// BMP files, by our own strict reader.
// Depends on: decoder.h. No library; writes nothing.
//
// Accepted: the 40-byte information header and the 108- and 124-byte V4/V5
// headers; 1, 4 and 8 bits per pixel with a palette (biClrUsed 0 meaning all
// 2^n entries), 24 bits, and 16 and 32 bits as BI_RGB or BI_BITFIELDS (the
// alpha mask of a V4/V5 header is honoured; BI_RGB and 40-byte headers give
// opaque pixels); rows bottom-up or top-down; biSizeImage is not trusted and
// may be 0. Every offset and size is checked against the file's size before
// use. Anything else (RLE, embedded JPEG/PNG, OS/2 headers) is refused.
#include <cstring>

#include "imaging/decoder.h"

namespace platform::imaging {
namespace {

constexpr size_t file_header_bytes = 14;
constexpr uint32_t bi_rgb = 0;
constexpr uint32_t bi_bitfields = 3;

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

// One colour field of a 16- or 32-bit pixel, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  unsigned shift = 0;
  uint64_t top = 0;  // the field's largest value

  explicit Channel(uint32_t m) : mask(m) {
    if (mask == 0) return;
    shift = unsigned(__builtin_ctz(mask));
    top = mask >> shift;
  }
  uint32_t value(uint32_t word) const { return uint32_t((((word & mask) >> shift) * 255 + top / 2) / top); }
};

struct Bitfields {
  Channel red, green, blue, alpha;

  uint32_t convert(uint32_t word) const {
    const uint32_t a = alpha.mask != 0 ? alpha.value(word) : 0xFF;
    return a << 24 | red.value(word) << 16 | green.value(word) << 8 | blue.value(word);
  }
};

struct BmpLayout {
  uint32_t width = 0;
  uint32_t rows = 0;
  bool top_down = false;
  unsigned bits = 0;
  uint32_t palette[256] = {};
  uint32_t masks[4] = {};  // red, green, blue, alpha
};

// Reads the palette of `count` RGBQUADs at `at`; entries past it stay opaque black.
void read_palette(const uint8_t* at, uint32_t count, BmpLayout& l) {
  for (uint32_t& entry : l.palette) entry = 0xFF000000u;
  for (uint32_t i = 0; i < count; ++i, at += 4) l.palette[i] = 0xFF000000u | uint32_t(at[2]) << 16 | uint32_t(at[1]) << 8 | at[0];
}

// Parses and checks both headers; `pixels_at` receives the data offset.
bool read_headers(const uint8_t* data, size_t size, BmpLayout& l, size_t& pixels_at) {
  if (size < file_header_bytes + 4) return false;
  const uint32_t header_bytes = u32(data + file_header_bytes);
  if (header_bytes != 40 && header_bytes != 108 && header_bytes != 124) return false;
  if (size - file_header_bytes < header_bytes) return false;
  const uint8_t* info = data + file_header_bytes;
  const int64_t width = int32_t(u32(info + 4));
  const int64_t height = int32_t(u32(info + 8));
  const uint32_t compression = u32(info + 16);
  const uint32_t colours_used = u32(info + 32);
  l.bits = u16(info + 14);
  if (u16(info + 12) != 1 || width <= 0 || height == 0) return false;
  l.top_down = height < 0;
  const uint64_t rows = uint64_t(height < 0 ? -height : height);
  if (uint64_t(width) > max_side || rows > max_side) return false;
  l.width = uint32_t(width);
  l.rows = uint32_t(rows);

  size_t tables_end = file_header_bytes + header_bytes;  // palette or masks follow the header
  switch (l.bits) {
    case 1:
    case 4:
    case 8: {
      const uint32_t entries = 1u << l.bits;
      if (compression != bi_rgb || colours_used > entries) return false;
      const uint32_t count = colours_used == 0 ? entries : colours_used;
      if (size - tables_end < size_t(count) * 4) return false;
      read_palette(data + tables_end, count, l);
      tables_end += size_t(count) * 4;
      break;
    }
    case 24:
      if (compression != bi_rgb) return false;
      break;
    case 16:
    case 32:
      if (compression == bi_rgb) {
        const uint32_t rgb555[4] = {0x7C00, 0x03E0, 0x001F, 0};
        const uint32_t rgb888[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0};
        std::memcpy(l.masks, l.bits == 16 ? rgb555 : rgb888, sizeof l.masks);
      } else if (compression == bi_bitfields) {
        if (header_bytes == 40) {
          if (size - tables_end < 12) return false;
          for (int i = 0; i < 3; ++i) l.masks[i] = u32(data + tables_end + 4 * i);
          tables_end += 12;
        } else {
          for (int i = 0; i < 4; ++i) l.masks[i] = u32(info + 40 + 4 * i);
        }
        if (l.masks[0] == 0 || l.masks[1] == 0 || l.masks[2] == 0) return false;
        if (l.bits == 16)
          for (uint32_t mask : l.masks)
            if (mask > 0xFFFF) return false;
      } else {
        return false;
      }
      break;
    default:
      return false;
  }

  pixels_at = u32(data + 10);
  const uint64_t stride = (uint64_t(l.width) * l.bits + 31) / 32 * 4;
  return pixels_at >= tables_end && pixels_at <= size && (size - pixels_at) / stride >= l.rows;
}

void convert_indexed(const uint8_t* src, uint32_t* dst, const BmpLayout& l) {
  if (l.bits == 8) {
    for (uint32_t x = 0; x < l.width; ++x) dst[x] = l.palette[src[x]];
    return;
  }
  const unsigned per_byte = 8 / l.bits;
  const unsigned index_mask = (1u << l.bits) - 1;
  for (uint32_t x = 0; x < l.width; ++x) {
    const unsigned slot = x % per_byte;
    dst[x] = l.palette[(src[x / per_byte] >> (8 - l.bits * (slot + 1))) & index_mask];
  }
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "pixel words are assembled little-endian");

// Four pixels (12 bytes, read as three words) at a time, then the rest.
void convert_24(const uint8_t* src, uint32_t* dst, uint32_t width) {
  uint32_t x = 0;
  for (; x + 4 <= width; x += 4, src += 12) {
    uint32_t w0, w1, w2;  // B0 G0 R0 B1 | G1 R1 B2 G2 | R2 B3 G3 R3
    std::memcpy(&w0, src, 4);
    std::memcpy(&w1, src + 4, 4);
    std::memcpy(&w2, src + 8, 4);
    dst[x] = 0xFF000000u | (w0 & 0xFFFFFF);
    dst[x + 1] = 0xFF000000u | w0 >> 24 | (w1 & 0xFFFF) << 8;
    dst[x + 2] = 0xFF000000u | w1 >> 16 | (w2 & 0xFF) << 16;
    dst[x + 3] = 0xFF000000u | w2 >> 8;
  }
  for (; x < width; ++x, src += 3) dst[x] = 0xFF000000u | uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
}

void convert_masked(const uint8_t* src, uint32_t* dst, const BmpLayout& l, const Bitfields& fields) {
  if (l.bits == 16) {
    for (uint32_t x = 0; x < l.width; ++x) dst[x] = fields.convert(u16(src + 2 * x));
    return;
  }
  // The common 8-bit fields need no scaling.
  const bool bytewise = l.masks[0] == 0xFF0000 && l.masks[1] == 0xFF00 && l.masks[2] == 0xFF;
  if (bytewise && l.masks[3] == 0) {
    for (uint32_t x = 0; x < l.width; ++x) dst[x] = u32(src + 4 * x) | 0xFF000000u;
  } else if (bytewise && l.masks[3] == 0xFF000000u) {
    std::memcpy(dst, src, size_t(l.width) * 4);
  } else {
    for (uint32_t x = 0; x < l.width; ++x) dst[x] = fields.convert(u32(src + 4 * x));
  }
}

}  // namespace

bool decode_bmp(const uint8_t* data, size_t size, ArgbImage& image) {
  BmpLayout l;
  size_t pixels_at = 0;
  if (!read_headers(data, size, l, pixels_at) || !allocate(image, l.width, l.rows, size, bmp_pixels_per_byte)) return false;
  const Bitfields fields{Channel(l.masks[0]), Channel(l.masks[1]), Channel(l.masks[2]), Channel(l.masks[3])};
  const size_t stride = (size_t(l.width) * l.bits + 31) / 32 * 4;
  for (uint32_t r = 0; r < l.rows; ++r) {
    const uint8_t* src = data + pixels_at + size_t(r) * stride;
    uint32_t* dst = image.row(l.top_down ? r : l.rows - 1 - r);
    if (l.bits <= 8)
      convert_indexed(src, dst, l);
    else if (l.bits == 24)
      convert_24(src, dst, l.width);
    else
      convert_masked(src, dst, l, fields);
  }
  return true;
}

}  // namespace platform::imaging
