// Images: GpImage is the base of every image kind; GpBitmap is a grid of
// pixels in one of the supported formats, over its own memory or over memory
// the caller keeps alive. GpBitmap has GpImage as its first and only base, so
// a GpBitmap* and the GpImage* for the same object hold the same address.
// Depends on: gdiplus.h. Decodes and draws nothing.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/gdiplus.h"

namespace Gdiplus {

class GpImage {
 public:
  virtual ~GpImage() = default;

  UINT width;
  UINT height;
  PixelFormat format;

 protected:
  GpImage(UINT width_, UINT height_, PixelFormat format_) : width(width_), height(height_), format(format_) {}
  GpImage(const GpImage&) = delete;
  GpImage& operator=(const GpImage&) = delete;
};

class GpBitmap : public GpImage {
 public:
  // `storage` is null when the pixels belong to the caller.
  GpBitmap(INT width_, INT height_, PixelFormat format_, BYTE* scan0_, INT stride_, std::unique_ptr<BYTE[]> storage)
      : GpImage(UINT(width_), UINT(height_), format_), scan0(scan0_), stride(stride_), storage_(std::move(storage)) {}

  BYTE* row(INT y) const { return scan0 + std::ptrdiff_t(stride) * y; }
  // Straight ARGB in and out, whatever the stored format; (x, y) must be inside.
  ARGB get_pixel(INT x, INT y) const;
  void set_pixel(INT x, INT y, ARGB color);

  BYTE* scan0;  // first byte of the top row
  INT stride;   // bytes from one row to the next one down; negative for bottom-up memory

  // What GdipBitmapLockBits hands out until GdipBitmapUnlockBits.
  struct LockRecord {
    GpRect rect;
    UINT flags;
    PixelFormat format;
    BYTE* scan0;
    INT stride;
    std::unique_ptr<BYTE[]> buffer;  // null when the caller gave the buffer
  };
  std::unique_ptr<LockRecord> lock;  // null while unlocked

 private:
  std::unique_ptr<BYTE[]> storage_;
};

namespace detail {
// Bits per pixel of the formats bitmaps support, 0 for any other format.
UINT supported_bits_per_pixel(PixelFormat format);
}  // namespace detail

}  // namespace Gdiplus
