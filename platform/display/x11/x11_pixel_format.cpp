// Pixel formats of the default visual: choosing one, and converting rows.
// Depends on: Xlib visuals and colormaps, screen_read.h, the system
// palette. Holds no image and talks to the server only when choosing.
#include "display/x11/x11_pixel_format.h"

#include <algorithm>
#include <cstring>

#include "display/screen_read.h"
#include "display/system_palette.h"

#include <X11/Xutil.h>

namespace platform::display::x11 {
namespace {

constexpr unsigned long kOurRed = 0xFF0000, kOurGreen = 0xFF00, kOurBlue = 0xFF;

// Bits per pixel of the server's images of `depth`; 0 when it lists none.
int pixmap_bits(Display* display, int depth) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  int bits = 0;
  for (int i = 0; i < count; ++i)
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  XFree(formats);
  return bits;
}

const char* class_name(int c_class) {
  switch (c_class) {
    case StaticGray: return "StaticGray";
    case GrayScale: return "GrayScale";
    case StaticColor: return "StaticColor";
    case PseudoColor: return "PseudoColor";
    case TrueColor: return "TrueColor";
    default: return "DirectColor";
  }
}

}  // namespace

std::optional<PixelFormat> PixelFormat::of_screen(Display* display, int screen, std::string* why) {
  const Visual* visual = DefaultVisual(display, screen);
  const int depth = DefaultDepth(display, screen);
  const int bits = pixmap_bits(display, depth);
  const std::string described = "its default visual (" + std::to_string(depth) + "-bit " +
                                class_name(visual->c_class) + ", " + std::to_string(bits) + " bits a pixel)";
  if (ImageByteOrder(display) != LSBFirst) {
    *why = "the server's images are most-significant byte first";
    return std::nullopt;
  }
  if (visual->c_class == TrueColor && (bits == 16 || bits == 32)) {
    if (bits == 32 && visual->red_mask == kOurRed && visual->green_mask == kOurGreen && visual->blue_mask == kOurBlue)
      return PixelFormat(Kind::identity, 32);
    if (std::optional<PixelFormat> format = true_colour(visual, bits, why)) return format;
  } else if (visual->c_class != TrueColor && visual->c_class != DirectColor && bits == 8) {
    return indexed(display, screen, visual);
  }
  *why = described + " is not supported";
  return std::nullopt;
}

std::optional<PixelFormat> PixelFormat::true_colour(const Visual* visual, int bits_per_pixel, std::string* why) {
  PixelFormat format(Kind::true_colour, bits_per_pixel);
  const auto channel = [](unsigned long mask) {
    Channel c;
    if (mask == 0) return c;
    c.shift = __builtin_ctzl(mask);
    c.bits = __builtin_popcountl(mask);
    return c;
  };
  format.red_ = channel(visual->red_mask);
  format.green_ = channel(visual->green_mask);
  format.blue_ = channel(visual->blue_mask);
  for (const Channel& c : {format.red_, format.green_, format.blue_}) {
    if (c.bits < 1 || c.bits > 8) {
      *why = "a colour channel of the visual is not 1 to 8 bits wide";
      return std::nullopt;
    }
  }
  return format;
}

// Fills a writable colormap with the colours of the GDI's 8-bit palette where
// cells are free, then takes every cell as it stands, and maps each colour to
// its nearest cell.
std::optional<PixelFormat> PixelFormat::indexed(Display* display, int screen, const Visual* visual) {
  PixelFormat format(Kind::indexed, 8);
  const Colormap colormap = DefaultColormap(display, screen);
  if (visual->c_class == PseudoColor || visual->c_class == GrayScale) {
    for (const uint32_t colour : system_palette()) {
      XColor cell = {};
      cell.red = static_cast<unsigned short>((colour >> 16) * 0x101);
      cell.green = static_cast<unsigned short>((colour >> 8 & 255) * 0x101);
      cell.blue = static_cast<unsigned short>((colour & 255) * 0x101);
      XAllocColor(display, colormap, &cell);  // a full colormap keeps what it has
    }
  }
  const int cells = std::min(visual->map_entries, 256);
  std::vector<XColor> entries(static_cast<size_t>(cells));
  for (int i = 0; i < cells; ++i) entries[static_cast<size_t>(i)].pixel = static_cast<unsigned long>(i);
  XQueryColors(display, colormap, entries.data(), cells);
  for (int i = 0; i < cells; ++i) {
    const XColor& e = entries[static_cast<size_t>(i)];
    format.colour_of_[static_cast<size_t>(i)] =
        uint32_t{static_cast<uint32_t>(e.red >> 8) << 16 | static_cast<uint32_t>(e.green >> 8) << 8 |
                 static_cast<uint32_t>(e.blue >> 8)};
  }
  format.index_of_ = nearest_colour_lookup(format.colour_of_.data(), cells);
  return format;
}

uint32_t PixelFormat::pack(uint32_t word) const {
  const auto put = [](uint32_t value, const Channel& c) { return (value >> (8 - c.bits)) << c.shift; };
  return put((word >> 16) & 255, red_) | put((word >> 8) & 255, green_) | put(word & 255, blue_);
}

uint32_t PixelFormat::unpack(uint32_t pixel) const {
  const auto take = [pixel](const Channel& c) {
    const uint32_t max = (1u << c.bits) - 1;
    return (((pixel >> c.shift) & max) * 255 + max / 2) / max;
  };
  return take(red_) << 16 | take(green_) << 8 | take(blue_);
}

void PixelFormat::encode(const uint32_t* words, uint8_t* pixels, int count) const {
  switch (kind_) {
    case Kind::identity:
      std::memcpy(pixels, words, static_cast<size_t>(count) * 4);
      break;
    case Kind::true_colour:
      for (int i = 0; i < count; ++i) {
        const uint32_t pixel = pack(words[i]);
        std::memcpy(pixels + static_cast<size_t>(i) * static_cast<size_t>(bits_per_pixel_ / 8), &pixel,
                    static_cast<size_t>(bits_per_pixel_ / 8));
      }
      break;
    case Kind::indexed:
      for (int i = 0; i < count; ++i) {
        const uint32_t w = words[i];
        pixels[i] = index_of_[colour_key(w)];
      }
      break;
  }
}

void PixelFormat::decode(const uint8_t* pixels, const Surface& destination, int column, int row,
                         int count) const {
  // Image rows are 4-byte aligned: the server's 32-bit words are ours already.
  if (kind_ == Kind::identity) {
    write_words(destination, column, row, reinterpret_cast<const uint32_t*>(pixels), count);
    return;
  }
  constexpr int kChunk = 512;
  uint32_t words[kChunk];
  const size_t bytes = static_cast<size_t>(bits_per_pixel_ / 8);
  for (int done = 0; done < count; done += kChunk) {
    const int n = std::min(kChunk, count - done);
    const uint8_t* from = pixels + static_cast<size_t>(done) * bytes;
    for (int i = 0; i < n; ++i) {
      if (kind_ == Kind::indexed) {
        words[i] = colour_of_[from[i]];
      } else {
        uint32_t pixel = 0;
        std::memcpy(&pixel, from + static_cast<size_t>(i) * bytes, bytes);
        words[i] = unpack(pixel);
      }
    }
    write_words(destination, column + done, row, words, n);
  }
}

}  // namespace platform::display::x11
