// How the pixels of the screen's default visual hold our 0x00RRGGBB words:
// as they are (24-bit TrueColor in 32-bit words, the common case), packed
// into 16 bits (TrueColor with narrower channels, common under VNC and remote
// desktops), or as indexes into an 8-bit colormap (PseudoColor and the
// static and grey colormaps). Rows are converted on their way to and from the
// server; anything else is not served.
// Depends on: Xlib's visual types and the Surface type. Holds no image.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/surface.h"

#include <X11/Xlib.h>

namespace platform::display::x11 {

class PixelFormat {
 public:
  // The format of the default visual of `screen`; none, with the reason in
  // *why, when its pixels cannot be served. May allocate colormap cells.
  static std::optional<PixelFormat> of_screen(Display* display, int screen, std::string* why);

  // Bits of one pixel in the server's images: 8, 16 or 32.
  int bits_per_pixel() const { return bits_per_pixel_; }
  // The server takes our words as they lie in memory: rows are copied.
  bool identity() const { return kind_ == Kind::identity; }

  // Our words to the server's pixels.
  void encode(const uint32_t* words, uint8_t* pixels, int count) const;
  // The server's pixels into (column, row) of a 32-bit (alpha 0) or 24-bit surface.
  void decode(const uint8_t* pixels, const Surface& destination, int column, int row, int count) const;

 private:
  enum class Kind { identity, true_colour, indexed };
  struct Channel {
    int shift = 0;
    int bits = 0;
  };

  PixelFormat(Kind kind, int bits_per_pixel) : kind_(kind), bits_per_pixel_(bits_per_pixel) {}
  static std::optional<PixelFormat> true_colour(const Visual* visual, int bits_per_pixel, std::string* why);
  static std::optional<PixelFormat> indexed(Display* display, int screen, const Visual* visual);

  uint32_t pack(uint32_t word) const;
  uint32_t unpack(uint32_t pixel) const;

  Kind kind_;
  int bits_per_pixel_;
  Channel red_, green_, blue_;
  std::vector<uint8_t> index_of_;        // indexed: 15-bit colour (5 bits a channel) -> nearest cell
  std::array<uint32_t, 256> colour_of_{};  // indexed: cell -> 0x00RRGGBB
};

}  // namespace platform::display::x11
