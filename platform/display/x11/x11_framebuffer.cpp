// Presents through the per-window image.
#include "display/x11/x11_framebuffer.h"

#include <algorithm>
#include <cstring>

namespace platform::display::x11 {

Framebuffer::Framebuffer(const Connection& connection, Window window)
    : connection_(connection), window_(window), gc_(XCreateGC(connection.display(), window, 0, nullptr)) {}

Framebuffer::~Framebuffer() {
  image_.reset();
  XFreeGC(connection_.display(), gc_);
}

void Framebuffer::present(const gdi::Surface& client, const RECT& area) {
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
  const size_t row_bytes = static_cast<size_t>(clipped.right - clipped.left) * 4;
  for (int y = static_cast<int>(clipped.top); y < clipped.bottom; ++y) {
    std::memcpy(image_->row(y) + clipped.left, client.row32(y) + clipped.left, row_bytes);
  }
  image_->put(window_, gc_, clipped);
  XFlush(connection_.display());
}

}  // namespace platform::display::x11
