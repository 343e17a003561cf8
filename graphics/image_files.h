// The codecs behind the image-file loaders and savers. Internal to the
// library; the tests and fuzz targets reach the PNG reader through here.
// Depends on: frond.h. Opens no files itself.
#pragma once

#include <cstddef>
#include <cstdio>

#include "graphics/frond.h"

namespace frond {

// How reading a PNG ended, before it becomes a result code.
enum class png_outcome { ok, not_png, damaged, no_memory };

// Reads a PNG from an open file: not_png when the first 8 bytes are not the
// PNG signature (nothing is changed then). A damaged file leaves `img` valid,
// at whatever size the decoder had reached.
png_outcome readpngfile(IMAGE* img, FILE* file);
// The same over a block of memory.
png_outcome readpngmemory(IMAGE* img, const void* data, size_t size);

// Writes `img` to an open file as an 8-bit RGB or RGBA PNG: 0, -1 when
// memory runs out, -12 when the file is not written (a write error, or an
// image of no pixels).
int writepng(const IMAGE* img, FILE* file, bool with_alpha);

// Opens a library path with C stdio: wide text to UTF-8, '\' to '/'.
FILE* open_file(const wchar_t* path, const char* mode);

// The start-up logo's JPEG bytes, generated at build time.
extern const unsigned char logo_jpeg[];
extern const unsigned int logo_jpeg_size;

}  // namespace frond
