// Bitmaps decoded from files and streams by the platform decoder. Decoding
// is done at once, into a 32bpp ARGB bitmap that owns its pixels.
// Depends on: imaging (decoder, file sources), image, status, syslibs.h (IStream). Encodes nothing.
#include <algorithm>

#include "gdiplus/image.h"
#include "gdiplus/status.h"
#include "imaging/decoder.h"
#include "imaging/file_source.h"
#include "platform/syslibs.h"

namespace Gdiplus {
namespace {

using platform::imaging::ArgbImage;
using platform::imaging::ByteSource;
using platform::imaging::decode_result;

GpStatus make_bitmap(const ByteSource& source, GpBitmap** bitmap) {
  ArgbImage image;
  switch (platform::imaging::decode(source.data(), source.size(), image)) {
    case decode_result::unknown_format:
      return UnknownImageFormat;
    case decode_result::failed:
      return GenericError;
    case decode_result::ok:
      break;
  }
  return detail::guard_allocation([&] {
    BYTE* first_row = image.pixels.get();
    *bitmap = new GpBitmap(INT(image.width), INT(image.height), PixelFormat32bppARGB, first_row, INT(image.width * 4),
                           std::move(image.pixels));
    return Ok;
  });
}

// Reads what is left of the stream.
bool read_rest(IStream* stream, ByteSource& out) {
  ULONGLONG size = 0, position = 0;
  LARGE_INTEGER none = {};
  if (stream->GetSize(&size) != S_OK || stream->Seek(none, STREAM_SEEK_CUR, &position) != S_OK) return false;
  const ULONGLONG left = position < size ? size - position : 0;
  if (left > platform::imaging::max_source_bytes) return false;
  uint8_t* bytes = out.allocate(size_t(left));
  if (bytes == nullptr) return false;
  for (size_t done = 0; done < out.size();) {
    const ULONG chunk = ULONG(std::min<size_t>(out.size() - done, 1u << 30));
    ULONG got = 0;
    if (stream->Read(bytes + done, chunk, &got) != S_OK || got == 0) return false;
    done += got;
  }
  return true;
}

}  // namespace

GpStatus GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap** bitmap) {
  if (detail::any_null(filename, bitmap)) return InvalidParameter;
  *bitmap = nullptr;
  if (platform::imaging::is_url(filename)) return FileNotFound;
  ByteSource source;
  const std::string path = platform::imaging::native_path(filename);
  if (path.empty() || !source.read_file(path)) return FileNotFound;
  return make_bitmap(source, bitmap);
}

GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
  if (detail::any_null(stream, bitmap)) return InvalidParameter;
  *bitmap = nullptr;
  ByteSource source;
  if (!read_rest(stream, source)) return GenericError;
  return make_bitmap(source, bitmap);
}

}  // namespace Gdiplus
