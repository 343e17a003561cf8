// Bitmaps with pixels: DIB sections (32-bit and 24-bit, top-down or
// bottom-up), compatible bitmaps (32-bit, top-down) and GetDIBits (into 32,
// 24 or 8 bits; 8-bit rows index the system palette). Sizes are computed in
// 64 bits; memory is zero-filled.
// Depends on: dc, primitives, display/system_palette. Decodes no image files.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "gdi/dc.h"
#include "gdi/primitives.h"
#include "display/system_palette.h"

namespace platform::gdi {

bool Bitmap::surface(Surface* out) const {
  if (!memory) return false;
  out->bits = top_down ? memory : memory + row_bytes * (height - 1);
  out->width = width;
  out->height = height;
  out->stride = top_down ? row_bytes : -row_bytes;
  out->bits_per_pixel = bits_per_pixel;
  return true;
}

namespace {

constexpr int64_t kMaxBitmapBytes = int64_t{1} << 31;

// Width, height (either sign) and depth a bitmap can have here, and the bytes it takes.
bool plausible(int64_t width, int64_t height, int bits_per_pixel, int64_t* bytes) {
  if (width <= 0 || height == 0 || (bits_per_pixel != 24 && bits_per_pixel != 32)) return false;
  const int64_t rows = height < 0 ? -height : height, row = dib_row_bytes(width, bits_per_pixel);
  if (row > kMaxBitmapBytes / rows) return false;
  *bytes = row * rows;
  return *bytes <= kMaxBitmapBytes;
}

HBITMAP add_bitmap(int width, int height, int bits_per_pixel, bool top_down, const BITMAPINFOHEADER* header,
                   int64_t bytes, void** bits) {
  void* memory = std::calloc(static_cast<size_t>(bytes), 1);
  if (!memory) return nullptr;
  try {
    auto b = std::make_shared<Bitmap>();
    b->memory = static_cast<uint8_t*>(memory);
    memory = nullptr;  // owned by the bitmap from here on
    b->width = width;
    b->height = height;
    b->bits_per_pixel = bits_per_pixel;
    b->row_bytes = static_cast<ptrdiff_t>(dib_row_bytes(width, bits_per_pixel));
    b->top_down = top_down;
    if (header) {
      b->dib_section = true;
      b->header = *header;
      b->header.biSize = sizeof(BITMAPINFOHEADER);
      b->header.biSizeImage = static_cast<DWORD>(bytes);
    }
    void* const pixels = b->memory;
    const HBITMAP handle = static_cast<HBITMAP>(register_object(std::move(b)));
    if (bits) *bits = pixels;
    return handle;
  } catch (const std::bad_alloc&) {
    std::free(memory);
    return nullptr;
  }
}

// Scan line k of a DIB in its memory order, as a bitmap row from the top.
int scan_row(int scan, int height, bool top_down) { return top_down ? scan : height - 1 - scan; }

}  // namespace
}  // namespace platform::gdi

using namespace platform::gdi;

// File-mapping sections are not supported: `section` must be null.
HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (bits) *bits = nullptr;
  if (!info || section || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  int64_t bytes = 0;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biCompression != BI_RGB ||
      !plausible(h.biWidth, h.biHeight, h.biBitCount, &bytes)) {
    return nullptr;
  }
  const int64_t height = h.biHeight < 0 ? -int64_t{h.biHeight} : h.biHeight;
  return add_bitmap(h.biWidth, static_cast<int>(height), h.biBitCount, h.biHeight < 0, &h, bytes, bits);
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, BITMAPINFO* info, UINT) {
  const auto b = find_as<Bitmap>(bitmap);
  Surface from;
  if (!find_dc(dc) || !b || !info || !b->surface(&from)) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount == 0) {  // describe the bitmap
    h.biWidth = b->width;
    h.biHeight = b->top_down ? -b->height : b->height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(b->bits_per_pixel);
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(dib_row_bytes(b->width, b->bits_per_pixel) * b->height);
    return b->height;
  }
  // 8-bit rows come with the system palette as their colour table.
  const bool indexed = h.biBitCount == 8;
  int64_t bytes = 0;
  if (h.biCompression != BI_RGB || !plausible(h.biWidth, h.biHeight, indexed ? 24 : h.biBitCount, &bytes)) return 0;
  if (indexed) bytes = dib_row_bytes(h.biWidth, 8) * (h.biHeight < 0 ? -int64_t{h.biHeight} : h.biHeight);
  h.biSizeImage = static_cast<DWORD>(bytes);
  const int out_height = static_cast<int>(std::min<int64_t>(h.biHeight < 0 ? -int64_t{h.biHeight} : h.biHeight,
                                                            b->height));
  if (indexed) {
    const std::array<uint32_t, 256>& colours = platform::display::system_palette();
    for (size_t i = 0; i < colours.size(); ++i) {
      const uint32_t c = colours[i];
      info->bmiColors[i] = RGBQUAD{static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16), 0};
    }
  }
  if (!bits) return out_height;

  // The caller's buffer holds scan lines start .. start + lines - 1 of the DIB it describes.
  const bool top_down = h.biHeight < 0;
  const int64_t first = std::min<int64_t>(start, out_height);
  const int64_t last = std::min<int64_t>(int64_t{start} + lines, out_height);
  Surface to;
  to.bits = static_cast<uint8_t*>(bits);
  to.width = h.biWidth;
  to.height = static_cast<int>(last - first);
  to.stride = static_cast<ptrdiff_t>(dib_row_bytes(h.biWidth, h.biBitCount));
  to.bits_per_pixel = h.biBitCount;
  const int columns = std::min(b->width, static_cast<int>(h.biWidth));
  std::vector<uint32_t> scratch(static_cast<size_t>(columns));
  for (int64_t scan = first; scan < last; ++scan) {
    const int row = scan_row(static_cast<int>(scan), b->height, top_down);
    const int out_row = static_cast<int>(scan - first);
    if (from.bits_per_pixel == 24 && to.bits_per_pixel == 24) {
      // The same layout: the row's bytes as they are.
      std::memcpy(to.bits + to.stride * out_row, from.bits + from.stride * row, scratch.size() * 3);
      continue;
    }
    const uint32_t* words = open_span(from, 0, row, scratch.size(), scratch.data());
    if (to.bits_per_pixel == 32) {
      std::memcpy(to.row32(out_row), words, scratch.size() * sizeof(uint32_t));
    } else if (indexed) {
      uint8_t* indexes = to.bits + to.stride * out_row;
      for (size_t i = 0; i < scratch.size(); ++i) indexes[i] = platform::display::nearest_system_index(words[i]);
    } else {
      close_span(to, 0, out_row, scratch.size(), words);
    }
  }
  return static_cast<int>(last - first);
}
