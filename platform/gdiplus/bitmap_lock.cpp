// GdipBitmapLockBits / GdipBitmapUnlockBits: a rectangle of a bitmap handed
// out in a requested pixel format, in a buffer of the library's or of the
// caller's (ImageLockModeUserInputBuf), and stored back on unlock when the
// lock was for writing. Rows of the same format are copied as they are;
// other formats convert through straight ARGB.
// Depends on: image, status. Holds one lock per bitmap at a time; no indexed formats.
#include <cstdlib>
#include <cstring>

#include "gdiplus/image.h"
#include "gdiplus/status.h"

namespace Gdiplus {
namespace {

constexpr UINT known_flags = ImageLockModeRead | ImageLockModeWrite | ImageLockModeUserInputBuf;

// Copies a width x height block from (fx, fy) of `from` to (tx, ty) of `to`.
void copy_block(const GpBitmap& from, INT fx, INT fy, GpBitmap& to, INT tx, INT ty, INT width, INT height) {
  if (from.format == to.format) {
    const size_t bytes_per_pixel = detail::supported_bits_per_pixel(from.format) / 8;
    for (INT y = 0; y < height; ++y)
      std::memcpy(to.row(ty + y) + tx * bytes_per_pixel, from.row(fy + y) + fx * bytes_per_pixel,
                  size_t(width) * bytes_per_pixel);
    return;
  }
  for (INT y = 0; y < height; ++y)
    for (INT x = 0; x < width; ++x) to.set_pixel(tx + x, ty + y, from.get_pixel(fx + x, fy + y));
}

// The locked buffer seen as a bitmap that does not own its memory.
GpBitmap view_of(const GpBitmap::LockRecord& lock) {
  return GpBitmap(lock.rect.Width, lock.rect.Height, lock.format, lock.scan0, lock.stride, nullptr);
}

bool inside(const GpRect& rect, const GpBitmap& bitmap) {
  return rect.X >= 0 && rect.Y >= 0 && rect.Width > 0 && rect.Height > 0 &&
         int64_t(rect.X) + rect.Width <= int64_t(bitmap.width) && int64_t(rect.Y) + rect.Height <= int64_t(bitmap.height);
}

}  // namespace

GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format, BitmapData* data) {
  if (detail::any_null(bitmap, data)) return InvalidParameter;
  const UINT bits = detail::supported_bits_per_pixel(format);
  const GpRect area = rect != nullptr ? *rect : GpRect{0, 0, INT(bitmap->width), INT(bitmap->height)};
  if (bits == 0 || (flags & ~known_flags) != 0 || (flags & (ImageLockModeRead | ImageLockModeWrite)) == 0 ||
      !inside(area, *bitmap))
    return InvalidParameter;
  if (bitmap->lock) return WrongState;
  const int64_t row_bytes = int64_t(area.Width) * (bits / 8);
  return detail::guard_allocation([&] {
    auto lock = std::make_unique<GpBitmap::LockRecord>();
    lock->rect = area;
    lock->flags = flags;
    lock->format = format;
    if ((flags & ImageLockModeUserInputBuf) != 0) {
      if (data->Scan0 == nullptr || std::llabs(int64_t(data->Stride)) < row_bytes) return InvalidParameter;
      lock->scan0 = static_cast<BYTE*>(data->Scan0);
      lock->stride = data->Stride;
    } else {
      lock->stride = INT((row_bytes + 3) / 4 * 4);
      lock->buffer.reset(new BYTE[size_t(lock->stride) * size_t(area.Height)]());
      lock->scan0 = lock->buffer.get();
    }
    if ((flags & ImageLockModeRead) != 0) {
      GpBitmap view = view_of(*lock);
      copy_block(*bitmap, area.X, area.Y, view, 0, 0, area.Width, area.Height);
    }
    data->Width = UINT(area.Width);
    data->Height = UINT(area.Height);
    data->Stride = lock->stride;
    data->PixelFormat = format;
    data->Scan0 = lock->scan0;
    data->Reserved = 0;
    bitmap->lock = std::move(lock);
    return Ok;
  });
}

GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data) {
  if (detail::any_null(bitmap, data)) return InvalidParameter;
  if (!bitmap->lock) return WrongState;
  const GpBitmap::LockRecord& lock = *bitmap->lock;
  if ((lock.flags & ImageLockModeWrite) != 0) {
    const GpBitmap view = view_of(lock);
    copy_block(view, 0, 0, *bitmap, lock.rect.X, lock.rect.Y, lock.rect.Width, lock.rect.Height);
  }
  bitmap->lock.reset();
  return Ok;
}

}  // namespace Gdiplus
