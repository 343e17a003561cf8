// Test files made with the libraries the decoders use: GIF (giflib), TIFF
// (libtiff) and JPEG (libjpeg), written through a scratch folder where a
// library wants a file. Depends on: those libraries, tests/support's scratch
// folder. Checks nothing.
#include "platform_imaging/encoders.h"

#include <gif_lib.h>
#include <tiffio.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

// After <cstdio>: jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "support/scratch_folder.h"

namespace imaging_test {
namespace {

int append(GifFileType* gif, const GifByteType* bytes, int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + length);
  return length;
}

}  // namespace

std::vector<uint8_t> make_gif(const gif_fields& s) {
  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, append, &error);
  if (gif == nullptr) throw std::runtime_error("EGifOpen");
  std::vector<GifColorType> colours;
  for (uint32_t c : s.palette) colours.push_back({GifByteType(c >> 16), GifByteType(c >> 8), GifByteType(c)});
  colours.resize(256);
  ColorMapObject* map = GifMakeMapObject(256, colours.data());
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, s.screen_width, s.screen_height, 8, 0, map);
  if (s.transparent >= 0) {
    const GifByteType control[4] = {1, 0, 0, GifByteType(s.transparent)};
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
  }
  EGifPutImageDesc(gif, s.left, s.top, s.width, s.height, s.interlace, nullptr);
  std::vector<int> order;
  if (s.interlace) {
    const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = starts[pass]; y < s.height; y += steps[pass]) order.push_back(y);
  } else {
    for (int y = 0; y < s.height; ++y) order.push_back(y);
  }
  for (int y : order) {
    std::vector<GifPixelType> line(s.indices.begin() + y * s.width, s.indices.begin() + (y + 1) * s.width);
    EGifPutLine(gif, line.data(), s.width);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

std::vector<uint8_t> make_tiff_rgba(int width, int height, const std::vector<uint32_t>& pixels) {
  const test_support::scratch_folder folder("imaging_test");
  TIFF* tiff = TIFFOpen("rgba.tif", "w");
  if (tiff == nullptr) throw std::runtime_error("TIFFOpen");
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(width));
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(height));
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  const uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
  TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, uint32_t(height));
  for (int y = 0; y < height; ++y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[size_t(y * width + x)];
      row.insert(row.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    }
    TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0);
  }
  TIFFClose(tiff);
  return test_support::read_bytes("rgba.tif");
}

std::vector<uint8_t> make_jpeg(int width, int height, int components, const std::vector<uint8_t>& samples) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> copy = samples;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &copy[size_t(info.next_scanline) * size_t(width) * size_t(components)];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> jpeg(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return jpeg;
}

}  // namespace imaging_test
