// Presents through the per-window image.
// Depends on: x11_image.h (the pixel format converts rows). Draws nothing.
#include "display/x11/x11_framebuffer.h"

#include <algorithm>

namespace platform::display::x11 {

Framebuffer::Framebuffer(const Connection& connection, Window window)
    : connection_(connection), window_(window), gc_(XCreateGC(connection.display(), window, 0, nullptr)) {}

Framebuffer::~Framebuffer() {
  image_.reset();
  XFreeGC(connection_.display(), gc_);
}

void Framebuffer::present(const Surface& client, const RECT& area) {
  if (client.bits == nullptr || client.bits_per_pixel != 32) return;
  const RECT clipped = {std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0),
                        std::min<LONG>(area.right, client.width), std::min<LONG>(area.bottom, client.height)};
  if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return;
  // The image follows the client size: a resized window gets a new one.
  if (!image_ || image_->width() != client.width || image_->height() != client.height) {
    image_.reset();
    image_ = Image::create(connection_, client.width, client.height);
    if (!image_) return;
  }
  const PixelFormat& format = connection_.pixels();
  const int count = static_cast<int>(clipped.right - clipped.left);
  for (int y = static_cast<int>(clipped.top); y < clipped.bottom; ++y)
    format.encode(client.row32(y) + clipped.left, image_->row(y) + image_->offset(clipped.left), count);
  image_->put(window_, gc_, clipped);
  // The next present writes into the same image: wait until the server has
  // read this one, or it could show a frame half old and half new.
  XSync(connection_.display(), False);
}

}  // namespace platform::display::x11
