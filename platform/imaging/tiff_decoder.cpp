// TIFF files through libtiff's RGBA interface: the first directory, read
// from memory, oriented top-left. libtiff hands back premultiplied RGBA when
// the file has alpha; the pixels are turned back into straight ARGB. Errors
// and warnings are kept away from stderr, and single allocations are capped.
// Depends on: libtiff, decoder.h. Reads the first directory only.
#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>

#include "imaging/decoder.h"

namespace platform::imaging {
namespace {

constexpr tmsize_t max_allocation = tmsize_t(256) << 20;

struct MemoryFile {
  const uint8_t* data;
  size_t size;
  toff_t position;
};

MemoryFile* file_of(thandle_t handle) { return static_cast<MemoryFile*>(handle); }

tmsize_t read_bytes(thandle_t handle, void* out, tmsize_t length) {
  MemoryFile* file = file_of(handle);
  if (length < 0 || file->position >= file->size) return 0;
  const size_t count = std::min(size_t(length), size_t(file->size - file->position));
  std::memcpy(out, file->data + file->position, count);
  file->position += count;
  return tmsize_t(count);
}

tmsize_t write_bytes(thandle_t, void*, tmsize_t) { return -1; }

toff_t seek(thandle_t handle, toff_t offset, int whence) {
  MemoryFile* file = file_of(handle);
  const toff_t base = whence == SEEK_CUR ? file->position : whence == SEEK_END ? toff_t(file->size) : 0;
  if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) return toff_t(-1);
  file->position = base + offset;
  return file->position;
}

int close_file(thandle_t) { return 0; }

toff_t size_of(thandle_t handle) { return file_of(handle)->size; }

int map_file(thandle_t, void**, toff_t*) { return 0; }

void unmap_file(thandle_t, void*, toff_t) {}

int quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

uint32_t straight_argb(uint32_t abgr) {
  const uint32_t a = abgr >> 24, b = (abgr >> 16) & 0xFF, g = (abgr >> 8) & 0xFF, r = abgr & 0xFF;
  if (a == 0) return 0;
  auto unscale = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
  if (a == 255) return 0xFF000000u | r << 16 | g << 8 | b;
  return a << 24 | unscale(r) << 16 | unscale(g) << 8 | unscale(b);
}

bool read_picture(TIFF* tiff, size_t size, ArgbImage& image) {
  uint32_t width = 0, height = 0;
  char message[1024];
  if (TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) != 1 || TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height) != 1 ||
      TIFFRGBAImageOK(tiff, message) != 1 || !allocate(image, width, height, size, tiff_pixels_per_byte))
    return false;
  auto* raster = reinterpret_cast<uint32_t*>(image.pixels.get());
  if (TIFFReadRGBAImageOriented(tiff, width, height, raster, ORIENTATION_TOPLEFT, 0) != 1) return false;
  const size_t count = size_t(width) * height;
  for (size_t i = 0; i < count; ++i) raster[i] = straight_argb(raster[i]);
  return true;
}

}  // namespace

bool decode_tiff(const uint8_t* data, size_t size, ArgbImage& image) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (options == nullptr) return false;
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, max_allocation);
  TIFFOpenOptionsSetErrorHandlerExtR(options, quiet, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
  MemoryFile file{data, size, 0};
  TIFF* tiff = TIFFClientOpenExt("memory", "rm", &file, read_bytes, write_bytes, seek, close_file, size_of, map_file,
                                 unmap_file, options);
  TIFFOpenOptionsFree(options);
  if (tiff == nullptr) return false;
  const bool decoded = read_picture(tiff, size, image);
  TIFFClose(tiff);
  return decoded;
}

}  // namespace platform::imaging
