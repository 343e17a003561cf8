// JPEG files through libjpeg-turbo. Errors leave through longjmp from the
// error manager, so no libjpeg error ends the process; warnings about
// corrupt data are counted and too many of them fail the decode. Progressive
// files with an absurd number of scans are refused, and so is a picture that
// would need more memory than a cap. CMYK/YCCK files are converted to RGB
// (Adobe files store inverted CMYK).
// Depends on: libjpeg-turbo, decoder.h. Reads no EXIF orientation or colour profile.
#include <csetjmp>
#include <cstdio>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "imaging/decoder.h"

namespace platform::imaging {
namespace {

constexpr int max_warnings = 100;
constexpr int max_scans = 500;
constexpr long max_memory = 512L << 20;

struct ErrorState {
  jpeg_error_mgr manager;
  std::jmp_buf escape;
  int warnings = 0;
};

[[noreturn]] void on_error(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorState*>(info->err)->escape, 1); }

void on_message(j_common_ptr info, int level) {
  auto* state = reinterpret_cast<ErrorState*>(info->err);
  if (level < 0 && ++state->warnings > max_warnings) on_error(info);
}

void on_progress(j_common_ptr info) {
  if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > max_scans) on_error(info);
}

uint32_t cmyk_to_argb(const JSAMPLE* p, bool inverted) {
  unsigned c = p[0], m = p[1], y = p[2], k = p[3];
  if (!inverted) {
    c = 255 - c;
    m = 255 - m;
    y = 255 - y;
    k = 255 - k;
  }
  auto mix = [k](unsigned v) { return uint32_t((v * k + 127) / 255); };
  return 0xFF000000u | mix(c) << 16 | mix(m) << 8 | mix(y);
}

// The decode itself, after set-up; every object it touches is trivially
// destructible, so the longjmp out of libjpeg skips nothing.
bool run(jpeg_decompress_struct& info, ErrorState& errors, const uint8_t* data, size_t size, ArgbImage& image,
         JSAMPLE* cmyk_row) {
  if (setjmp(errors.escape) != 0) return false;
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  // Checked before the library takes its own buffers for the picture.
  if (info.image_width > max_side || info.image_height > max_side ||
      !fits_data(info.image_width, info.image_height, size, jpeg_pixels_per_byte))
    return false;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  if (!allocate(image, info.output_width, info.output_height, size, jpeg_pixels_per_byte)) return false;
  while (info.output_scanline < info.output_height) {
    uint32_t* dst = image.row(info.output_scanline);
    JSAMPROW target = cmyk ? cmyk_row : reinterpret_cast<JSAMPROW>(dst);
    if (jpeg_read_scanlines(&info, &target, 1) != 1) return false;
    if (cmyk)
      for (uint32_t x = 0; x < image.width; ++x) dst[x] = cmyk_to_argb(cmyk_row + 4 * x, info.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

bool decode_jpeg(const uint8_t* data, size_t size, ArgbImage& image) {
  std::unique_ptr<JSAMPLE[]> cmyk_row(new (std::nothrow) JSAMPLE[max_side * 4]);
  if (!cmyk_row) return false;
  jpeg_decompress_struct info;
  ErrorState errors;
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = on_error;
  errors.manager.emit_message = on_message;
  jpeg_progress_mgr progress = {};
  progress.progress_monitor = on_progress;
  if (setjmp(errors.escape) != 0) return false;  // jpeg_create_decompress failed
  jpeg_create_decompress(&info);
  info.progress = &progress;
  info.mem->max_memory_to_use = max_memory;
  const bool decoded = run(info, errors, data, size, image, cmyk_row.get());
  jpeg_destroy_decompress(&info);
  return decoded;
}

}  // namespace platform::imaging
