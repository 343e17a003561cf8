// Image files: loads pictures into IMAGEs from files, program resources and
// memory, and saves IMAGEs as PNG and BMP files.
// Depends on: libpng, the platform decoder, resources, state. Draws nothing.
//
// PNG is read with libpng (or on several threads, png_split, when the file
// carries split points) and written by png_write; every other format goes
// through the platform decoder (GDI+), and BMP files are written here. libpng errors
// never end the process: its error handler jumps back to the call that
// started the work, which returns a result code and leaves a valid image.
// Decoding is bounded (16384 pixels a side, capped ancillary chunks).
// Depends on: images (resize_f), state (selectors, instance handle), text
// (mb_to_wide), system libraries (the memory stream, the fatal box).
// Does not: decode JPEG, GIF, TIFF or BMP itself (the platform does).

#include "graphics/image_files.h"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <csetjmp>
#include <cstring>
#include <cwctype>
#include <new>
#include <string>
#include <vector>

#include "graphics/internal.h"
#include "graphics/png_split.h"
#include "graphics/state.h"
#include "platform/resources.h"

namespace frond {

using Gdiplus::GpBitmap;
using Gdiplus::GpImage;
using Gdiplus::GpStatus;

namespace {

constexpr png_uint_32 max_png_side = 16384;
constexpr png_uint_32 max_cached_chunks = 256;
constexpr png_alloc_size_t max_chunk_bytes = png_alloc_size_t(8) << 20;
// The most pixels one byte of a PNG file can stand for (deflate's 1032:1 of
// one bit per pixel): a header announcing more than the whole file could
// fill is refused before the image is sized.
constexpr uint64_t png_pixels_per_byte = 8256;
constexpr uint64_t unknown_size = UINT64_MAX / png_pixels_per_byte;
// Files up to this size are read whole before they are decoded.
constexpr uint64_t whole_file_bytes = uint64_t(64) << 20;

// ---- libpng error handling ---------------------------------------------------

[[noreturn]] void png_failed(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void png_warned(png_structp, png_const_charp) {}

int result_of(png_outcome outcome) {
  switch (outcome) {
    case png_outcome::ok:
      return 0;
    case png_outcome::no_memory:
      return 21;
    default:
      return -12;
  }
}

// ---- reading PNG ---------------------------------------------------------------

// Where png_memory_read takes its bytes from.
struct png_memory_source {
  const uint8_t* data;
  uint64_t size;
  uint64_t position;
};

// A read past the end is an error, not a short read.
void png_memory_read(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<png_memory_source*>(png_get_io_ptr(png));
  if (length > source->size - source->position) png_error(png, "read past the end of the data");
  std::memcpy(out, source->data + source->position, length);
  source->position += length;
}

// Sets up libpng's transformations so that every colour type and depth
// arrives as 8-bit B, G, R, A (straight alpha, no gamma), sizes the image
// and reads the rows straight into its pixels. Runs under decode_guarded's
// setjmp: it owns nothing that a longjmp out of libpng would leak.
void decodepng(IMAGE* img, png_structp png, png_infop info, std::vector<png_bytep>& rows, uint64_t data_size) {
  png_set_option(png, PNG_SKIP_sRGB_CHECK_PROFILE, PNG_OPTION_ON);
  // Only IHDR, PLTE, tRNS, IDAT and IEND matter here: every other chunk is
  // skipped unread, so no text, profile or compressed ancillary data is kept.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_read_info(png, info);
  if (uint64_t(png_get_image_width(png, info)) * png_get_image_height(png, info) > data_size * png_pixels_per_byte)
    png_error(png, "more pixels than the data could fill");
  const int colour_type = png_get_color_type(png, info);
  const int bit_depth = png_get_bit_depth(png, info);
  if (colour_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if ((colour_type & PNG_COLOR_MASK_COLOR) == 0) {
    if (bit_depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    png_set_gray_to_rgb(png);
  }
  if (bit_depth == 16) png_set_strip_16(png);
  if ((colour_type & PNG_COLOR_MASK_ALPHA) == 0) {
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0)
      png_set_tRNS_to_alpha(png);
    else
      png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  }
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "unexpected row layout");
  img->resize_f(int(width), int(height));
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = reinterpret_cast<png_bytep>(img->pixels + size_t(y) * width);
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
}

png_outcome decode_guarded(IMAGE* img, png_structp png, png_infop info, std::vector<png_bytep>& rows,
                           uint64_t data_size) {
  if (setjmp(png_jmpbuf(png)) != 0) return png_outcome::damaged;
  decodepng(img, png, info, rows, data_size);
  return png_outcome::ok;
}

// Makes libpng's structures with the limits, lets `attach` name the source,
// and decodes; the signature has been checked and consumed by the caller.
// `data_size` is how many bytes the source holds (unknown_size when that
// cannot be known).
template <class Attach>
png_outcome read_png(IMAGE* img, uint64_t data_size, Attach&& attach) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, png_failed, png_warned);
  if (png == nullptr) return png_outcome::no_memory;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return png_outcome::no_memory;
  }
  png_set_user_limits(png, max_png_side, max_png_side);
  png_set_chunk_cache_max(png, max_cached_chunks);
  png_set_chunk_malloc_max(png, max_chunk_bytes);
  attach(png);
  png_set_sig_bytes(png, 8);
  std::vector<png_bytep> rows;
  png_outcome outcome;
  try {
    outcome = decode_guarded(img, png, info, rows, data_size);
  } catch (const std::bad_alloc&) {
    outcome = png_outcome::no_memory;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return outcome;
}

bool has_png_signature(const void* bytes, size_t size) {
  return size >= 8 && png_sig_cmp(static_cast<png_const_bytep>(bytes), 0, 8) == 0;
}

// ---- the platform decoder ----------------------------------------------------------

// Copies a decoded bitmap into `img` (which takes its size) through a lock
// with the image's pixels as the caller's buffer; the last failing status.
GpStatus copygdipbitmap(IMAGE* img, GpBitmap* bitmap) {
  gdip_holder<GpBitmap> wrapper;
  wrapper.object = bitmap;
  UINT width = 0, height = 0;
  if (wrapper.record(Gdiplus::GdipGetImageWidth(reinterpret_cast<GpImage*>(bitmap), &width)) != Gdiplus::Ok ||
      wrapper.record(Gdiplus::GdipGetImageHeight(reinterpret_cast<GpImage*>(bitmap), &height)) != Gdiplus::Ok)
    return wrapper.last_status;
  img->resize_f(int(width), int(height));
  const Gdiplus::GpRect whole = {0, 0, INT(width), INT(height)};
  Gdiplus::BitmapData data = {width, height, INT(width * 4), PixelFormat32bppARGB, img->pixels, 0};
  if (wrapper.record(Gdiplus::GdipBitmapLockBits(bitmap, &whole,
                                                 Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                                 PixelFormat32bppARGB, &data)) == Gdiplus::Ok)
    wrapper.record(Gdiplus::GdipBitmapUnlockBits(bitmap, &data));
  return wrapper.last_status;
}

// Decodes a file by the platform decoder: -12 when it cannot, -11 when the
// copy fails. The path goes to the platform as it is: the platform resolves
// relative paths against the current directory and refuses URLs.
int loadgdipfile(IMAGE* img, const wchar_t* path) {
  GpBitmap* bitmap = nullptr;
  if (Gdiplus::GdipCreateBitmapFromFile(path, &bitmap) != Gdiplus::Ok) return -12;
  const int result = copygdipbitmap(img, bitmap) == Gdiplus::Ok ? 0 : -11;
  Gdiplus::GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
  return result;
}

// ---- writing BMP ------------------------------------------------------------------------

void put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(uint8_t(value));
  out.push_back(uint8_t(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

// With alpha: 32 bits, BI_BITFIELDS, a 108-byte header with the masks and
// LCS_sRGB; without: 24 bits, BI_RGB, a 40-byte header. Rows bottom-up.
int writebmp(const IMAGE* img, FILE* file, bool with_alpha) {
  if (file == nullptr) return -12;
  const uint64_t width = uint64_t(img->width), height = uint64_t(img->height);
  const uint64_t row_size = with_alpha ? width * 4 : (width * 3 + 3) / 4 * 4;
  const uint32_t data_offset = with_alpha ? 122 : 54;
  const uint64_t file_size = data_offset + height * row_size;
  if (file_size > UINT32_MAX) return -12;

  std::vector<uint8_t> header;
  header.push_back('B');
  header.push_back('M');
  put32(header, uint32_t(file_size));
  put32(header, 0);
  put32(header, data_offset);
  put32(header, with_alpha ? 108 : 40);
  put32(header, uint32_t(width));
  put32(header, uint32_t(height));
  put16(header, 1);
  put16(header, with_alpha ? 32 : 24);
  put32(header, with_alpha ? 3 : 0);
  put32(header, uint32_t(height * row_size));
  put32(header, 3780);
  put32(header, 3780);
  put32(header, 0);
  put32(header, 0);
  if (with_alpha) {
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) put32(header, mask);
    put32(header, 0x73524742);                      // LCS_sRGB, "BGRs"
    header.insert(header.end(), 36 + 12, uint8_t(0));  // end points and gamma
  }
  if (std::fwrite(header.data(), 1, header.size(), file) != header.size()) return -12;

  std::vector<uint8_t> row(size_t(row_size), 0);
  const size_t stride = size_t(width == 0 ? 1 : width);  // the DIB is at least 1 pixel wide
  for (uint64_t r = 0; r < height; ++r) {
    const argb_color* src = img->pixels + size_t(height - 1 - r) * stride;
    if (with_alpha) {
      std::memcpy(row.data(), src, size_t(row_size));
    } else {
      uint8_t* out = row.data();
      for (uint64_t x = 0; x < width; ++x) {
        *out++ = uint8_t(src[x]);
        *out++ = uint8_t(src[x] >> 8);
        *out++ = uint8_t(src[x] >> 16);
      }
    }
    if (std::fwrite(row.data(), 1, row.size(), file) != row.size()) return -12;
  }
  return 0;
}

// ---- saving -------------------------------------------------------------------------------

enum class file_format { png, bmp };

// True when the last four characters are ".bmp" in any case.
bool has_bmp_extension(const wchar_t* path) {
  const size_t length = path != nullptr ? std::wcslen(path) : 0;
  if (length < 4) return false;
  const wchar_t* tail = path + length - 4;
  for (int i = 0; i < 4; ++i)
    if (std::towupper(wint_t(tail[i])) != wint_t(L".BMP"[i])) return false;
  return true;
}

// Opens `path` to be written from its start; *in_place tells that an
// existing regular file was opened as it is, to be cut to its new length
// once written. ext4 writes a file that was emptied out to disk when it is
// closed, which costs milliseconds even for small files; a file written
// over and then shortened stays in memory until the system writes it back.
FILE* open_for_saving(const wchar_t* path, bool* in_place) {
  struct stat status {};
  FILE* file = open_file(path, "r+b");
  *in_place = file != nullptr && fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode);
  if (file != nullptr && !*in_place) std::fclose(file);
  return *in_place ? file : open_file(path, "wb");
}

// Writes a resolved image. A failed open is -3 for PNG and -12 for BMP; a
// failed close counts as a failed write.
int save_as(const IMAGE* img, const wchar_t* path, bool with_alpha, file_format format) {
  bool in_place = false;
  FILE* file = open_for_saving(path, &in_place);
  if (file == nullptr) return format == file_format::png ? -3 : -12;
  int result = format == file_format::png ? writepng(img, file, with_alpha) : writebmp(img, file, with_alpha);
  if (in_place) {  // cut after what was written, also when the write failed
    const off_t length = std::fflush(file) == 0 ? ftello(file) : -1;
    if ((length < 0 || ftruncate(fileno(file), length) != 0) && result == 0) result = -12;
  }
  if (std::fclose(file) != 0 && result == 0) result = -12;
  return result;
}

}  // namespace

// ---- internal entry points ---------------------------------------------------------------

FILE* open_file(const wchar_t* path, const char* mode) {
  if (path == nullptr) return nullptr;
  return std::fopen(platform::posix_path(platform::wide_to_multibyte(CP_UTF8, path)).c_str(), mode);
}

png_outcome readpngfile(IMAGE* img, FILE* file) {
  png_byte signature[8];
  if (std::fread(signature, 1, sizeof signature, file) != sizeof signature || !has_png_signature(signature, 8))
    return png_outcome::not_png;
  struct stat status {};
  const long at = std::ftell(file);
  const uint64_t data_size = fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) && at >= 0
                                 ? uint64_t(std::max<off_t>(0, status.st_size - at))
                                 : unknown_size;
  // A file of a modest size is read whole and decoded from memory (where
  // split points let it be inflated on several threads).
  if (data_size <= whole_file_bytes) {
    std::vector<uint8_t> bytes;
    try {
      bytes.resize(8 + size_t(data_size));
    } catch (const std::bad_alloc&) {
      return png_outcome::no_memory;
    }
    std::copy(signature, signature + 8, bytes.begin());
    if (std::fread(bytes.data() + 8, 1, size_t(data_size), file) == data_size)
      return readpngmemory(img, bytes.data(), bytes.size());
    if (std::fseek(file, 8, SEEK_SET) != 0) return png_outcome::damaged;  // it changed meanwhile: stream it
  }
  return read_png(img, data_size, [file](png_structp png) { png_init_io(png, file); });
}

png_outcome readpngmemory(IMAGE* img, const void* data, size_t size) {
  if (!has_png_signature(data, size)) return png_outcome::not_png;
  try {
    if (read_split_png(img, static_cast<const uint8_t*>(data), size)) return png_outcome::ok;
  } catch (const std::bad_alloc&) {
    return png_outcome::no_memory;
  }
  png_memory_source source = {static_cast<const uint8_t*>(data), size, 8};
  return read_png(img, size, [&source](png_structp png) { png_set_read_fn(png, &source, png_memory_read); });
}

// ---- loading -------------------------------------------------------------------------------

int IMAGE::getimage(const wchar_t* path) {
  check_magic(L"IMAGE::getimage");
  FILE* file = open_file(path, "rb");
  if (file == nullptr) return -3;
  const png_outcome outcome = readpngfile(this, file);
  std::fclose(file);
  if (outcome == png_outcome::not_png) return loadgdipfile(this, path);
  return result_of(outcome);
}

int IMAGE::getimage(const char* path) { return getimage(mb_to_wide(path).c_str()); }

int IMAGE::getimage(const wchar_t* resType, const wchar_t* resName) {
  check_magic(L"IMAGE::getimage");
  const HMODULE module = state().instance;
  const HRSRC resource = FindResourceW(module, resName, resType);
  if (resource == nullptr) return -12;
  const DWORD size = SizeofResource(module, resource);
  const void* data = LockResource(LoadResource(module, resource));
  if (data == nullptr) return -12;
  if (has_png_signature(data, size)) return result_of(readpngmemory(this, data, size));
  return getimage(data, size);
}

int IMAGE::getimage(const char* resType, const char* resName) {
  return getimage(mb_to_wide(resType).c_str(), mb_to_wide(resName).c_str());
}

int IMAGE::getimage(const void* data, uint32_t size) {
  check_magic(L"IMAGE::getimage");
  if (data == nullptr) return -12;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (memory == nullptr) return 21;
  void* bytes = GlobalLock(memory);
  if (bytes == nullptr) {
    GlobalFree(memory);
    return 21;
  }
  std::memcpy(bytes, data, size);
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (create_stream_on_hglobal(memory, true, &stream) != S_OK) {
    GlobalFree(memory);
    return 20;
  }
  // The bitmap is decoded at once: the stream, which owns the memory, can go.
  GpBitmap* bitmap = nullptr;
  const GpStatus status = Gdiplus::GdipCreateBitmapFromStream(stream, &bitmap);
  stream->Release();
  if (status != Gdiplus::Ok) return -11;
  const int result = copygdipbitmap(this, bitmap) == Gdiplus::Ok ? 0 : -11;
  Gdiplus::GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
  return result;
}

int getimage(IMAGE* img, const char* path, int, int) {
  IMAGE* target = getimage_target(img);
  return target ? target->getimage(path) : -11;
}

int getimage(IMAGE* img, const wchar_t* path) {
  IMAGE* target = getimage_target(img);
  return target ? target->getimage(path) : -11;
}

int getimage(IMAGE* img, const char* resType, const char* resName) {
  IMAGE* target = getimage_target(img);
  return target ? target->getimage(resType, resName) : -11;
}

int getimage(IMAGE* img, const wchar_t* resType, const wchar_t* resName) {
  IMAGE* target = getimage_target(img);
  return target ? target->getimage(resType, resName) : -11;
}

int getimage_pngfile(IMAGE* img, const wchar_t* path) {
  if (is_selector(img)) return -12;
  FILE* file = open_file(path, "rb");
  if (file == nullptr) return -3;
  const png_outcome outcome = readpngfile(img, file);
  std::fclose(file);
  return result_of(outcome);
}

int getimage_pngfile(IMAGE* img, const char* path) { return getimage_pngfile(img, mb_to_wide(path).c_str()); }

const void* logo_data() { return logo_jpeg; }

uint32_t logo_size() { return logo_jpeg_size; }

// ---- saving -------------------------------------------------------------------------------

int savepng(IMAGE* img, const wchar_t* path, bool withAlpha) {
  const IMAGE* image = resolve_image(img);
  if (image == nullptr) return -12;
  return save_as(image, path, withAlpha, file_format::png);
}

int savepng(IMAGE* img, const char* path, bool withAlpha) { return savepng(img, mb_to_wide(path).c_str(), withAlpha); }

int savebmp(IMAGE* img, const wchar_t* path, bool withAlpha) {
  const IMAGE* image = resolve_image(img);
  if (image == nullptr) return -12;
  return save_as(image, path, withAlpha, file_format::bmp);
}

int savebmp(IMAGE* img, const char* path, bool withAlpha) { return savebmp(img, mb_to_wide(path).c_str(), withAlpha); }

int saveimage(IMAGE* img, const wchar_t* path, bool withAlpha) {
  const IMAGE* image = resolve_image(img);
  if (image == nullptr) return 0;
  return save_as(image, path, withAlpha, has_bmp_extension(path) ? file_format::bmp : file_format::png);
}

int saveimage(IMAGE* img, const char* path, bool withAlpha) {
  return saveimage(img, mb_to_wide(path).c_str(), withAlpha);
}

}  // namespace frond
