// A ZPixmap image of the default visual (in its pixel format) that the server reads from
// (presents) or writes into (screen captures). It lives in a MIT-SHM segment
// shared with the server when the extension works, else in client memory
// that travels in the request.
//
// Every member, the destructor included, needs the display lock held.
// Depends on: the connection (display lock, pixel format). Converts no pixels.
#pragma once

#include <cstdint>
#include <memory>

#include "display/x11/x11_connection.h"

#include <X11/extensions/XShm.h>

namespace platform::display::x11 {

class Image {
 public:
  // Null when not even a client-side image can be made.
  static std::unique_ptr<Image> create(const Connection& connection, int width, int height);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  int width() const { return ximage_->width; }
  int height() const { return ximage_->height; }
  bool shared() const { return shared_; }
  // Row y, and the byte where pixel x of a row starts.
  uint8_t* row(int y) const {
    return reinterpret_cast<uint8_t*>(ximage_->data + static_cast<ptrdiff_t>(ximage_->bytes_per_line) * y);
  }
  size_t offset(int x) const { return static_cast<size_t>(x) * static_cast<size_t>(ximage_->bits_per_pixel / 8); }

  // Copies `area` of the image to the same place in `drawable`. Does not flush.
  void put(Drawable drawable, GC gc, const RECT& area) const;
  // Fills the whole image from `drawable` at (x, y), which must lie inside it.
  bool get(Drawable drawable, int x, int y);

 private:
  explicit Image(Display* display);

  Display* display_;
  XImage* ximage_ = nullptr;
  XShmSegmentInfo segment_ = {};
  bool shared_ = false;
};

}  // namespace platform::display::x11
