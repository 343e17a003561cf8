// GIF files through giflib: the first frame only, placed on the logical
// screen at its offset; the rest of the screen and the frame's transparent
// index (from the graphics control extension before it) are transparent.
// Interlaced frames are de-interlaced; a frame without a colour map fails.
// Depends on: giflib, decoder.h. No animation: later frames are ignored.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/decoder.h"

namespace platform::imaging {
namespace {

struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t position;
};

int read_bytes(GifFileType* gif, GifByteType* out, int length) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  const size_t count = std::min(size_t(length < 0 ? 0 : length), reader->size - reader->position);
  std::memcpy(out, reader->data + reader->position, count);
  reader->position += count;
  return int(count);
}

// Skips an extension, returning its transparent index when it is a
// graphics control extension that sets one; -1 otherwise, -2 on failure.
int read_extension(GifFileType* gif) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) != GIF_OK) return -2;
  int transparent = -1;
  if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4 && (block[1] & 1) != 0) transparent = block[4];
  while (block != nullptr)
    if (DGifGetExtensionNext(gif, &block) != GIF_OK) return -2;
  return transparent;
}

// Reads the frame described by gif->Image onto the screen-sized picture.
bool read_frame(GifFileType* gif, int transparent, ArgbImage& image) {
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* colours = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (colours == nullptr || frame.Width <= 0 || frame.Height <= 0 || uint32_t(frame.Width) > max_side ||
      uint32_t(frame.Height) > max_side || frame.Left < 0 || frame.Top < 0)
    return false;
  uint32_t palette[256];
  for (int i = 0; i < 256; ++i) {
    if (i < colours->ColorCount) {
      const GifColorType& c = colours->Colors[i];
      palette[i] = 0xFF000000u | uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
    } else {
      palette[i] = 0xFF000000u;
    }
  }
  if (transparent >= 0) palette[transparent] = 0;

  // Row order of the file: four passes when interlaced.
  std::vector<int> order;
  if (frame.Interlace) {
    const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = starts[pass]; y < frame.Height; y += steps[pass]) order.push_back(y);
  } else {
    for (int y = 0; y < frame.Height; ++y) order.push_back(y);
  }
  std::vector<GifPixelType> line(size_t(frame.Width));
  const uint32_t visible_width = uint32_t(std::max(0, std::min<int>(frame.Width, int(image.width) - frame.Left)));
  for (int y : order) {
    if (DGifGetLine(gif, line.data(), frame.Width) != GIF_OK) return false;
    const int64_t screen_y = int64_t(frame.Top) + y;
    if (screen_y >= int64_t(image.height) || visible_width == 0) continue;
    uint32_t* dst = image.row(uint32_t(screen_y)) + frame.Left;
    for (uint32_t x = 0; x < visible_width; ++x) dst[x] = palette[line[x]];
  }
  return true;
}

bool read_first_frame(GifFileType* gif, size_t data_size, ArgbImage& image) {
  if (!allocate(image, uint32_t(std::max(0, gif->SWidth)), uint32_t(std::max(0, gif->SHeight)), data_size,
                gif_pixels_per_byte))
    return false;
  std::memset(image.pixels.get(), 0, size_t(image.width) * image.height * 4);
  int transparent = -1;
  for (;;) {
    GifRecordType record;
    if (DGifGetRecordType(gif, &record) != GIF_OK) return false;
    switch (record) {
      case EXTENSION_RECORD_TYPE: {
        const int found = read_extension(gif);
        if (found == -2) return false;
        if (found >= 0) transparent = found;
        break;
      }
      case IMAGE_DESC_RECORD_TYPE:
        return DGifGetImageDesc(gif) == GIF_OK && read_frame(gif, transparent, image);
      default:  // the trailer before any frame
        return false;
    }
  }
}

}  // namespace

bool decode_gif(const uint8_t* data, size_t size, ArgbImage& image) {
  MemoryReader reader{data, size, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, read_bytes, &error);
  if (gif == nullptr) return false;
  bool decoded = false;
  try {
    decoded = read_first_frame(gif, size, image);
  } catch (const std::bad_alloc&) {
    decoded = false;
  }
  DGifCloseFile(gif, &error);
  return decoded;
}

}  // namespace platform::imaging
