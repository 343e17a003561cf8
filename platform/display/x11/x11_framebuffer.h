// A window's presents: the client pixels go into one image per window (a
// MIT-SHM segment the size of the client area, kept and reused), converted
// to the visual's pixel format (a row copy for 24-bit TrueColor; the alpha
// byte is ignored), and from there to the window.
// Depends on: x11_image.h and the Surface type. Owns no client pixels.
#pragma once

#include <memory>

#include "display/display.h"
#include "display/x11/x11_image.h"

namespace platform::display::x11 {

class Framebuffer {
 public:
  // Call with the display locked, as every member (and the destructor).
  Framebuffer(const Connection& connection, Window window);
  ~Framebuffer();
  Framebuffer(const Framebuffer&) = delete;
  Framebuffer& operator=(const Framebuffer&) = delete;

  // Copies `area` (client coordinates) of the 32-bit `client` to the window
  // and returns once the server has read it.
  void present(const Surface& client, const RECT& area);

 private:
  const Connection& connection_;
  Window window_;
  GC gc_;
  std::unique_ptr<Image> image_;
};

}  // namespace platform::display::x11
