// The 8-bit system palette and a lookup table from colours to its nearest
// entries, both built once on first use.
// Depends on nothing; maps colours only (no pixels, no screen).
#include "display/system_palette.h"

#include <cstddef>

namespace platform::display {
namespace {

constexpr uint32_t kLowStatic[10] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                     0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
constexpr uint32_t kHighStatic[10] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                      0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::array<uint32_t, 256> make_palette() {
  std::array<uint32_t, 256> colours{};
  for (int i = 0; i < 10; ++i) {
    colours[static_cast<std::size_t>(i)] = kLowStatic[i];
    colours[static_cast<std::size_t>(246 + i)] = kHighStatic[i];
  }
  std::size_t next = 10;
  for (uint32_t r = 0; r < 6; ++r)
    for (uint32_t g = 0; g < 6; ++g)
      for (uint32_t b = 0; b < 6; ++b) colours[next++] = (r * 51) << 16 | (g * 51) << 8 | b * 51;
  for (uint32_t k = 1; k <= 20; ++k) {
    const uint32_t grey = k * 255 / 21;
    colours[next++] = grey << 16 | grey << 8 | grey;
  }
  return colours;
}

}  // namespace

const std::array<uint32_t, 256>& system_palette() {
  static const std::array<uint32_t, 256> colours = make_palette();
  return colours;
}

uint8_t nearest_system_index(uint32_t rgb) {
  static const std::vector<uint8_t> lookup = nearest_colour_lookup(system_palette().data(), 256);
  return lookup[colour_key(rgb)];
}

std::vector<uint8_t> nearest_colour_lookup(const uint32_t* colours, int count) {
  std::vector<uint8_t> lookup(1u << 15);
  for (uint32_t key = 0; key < lookup.size(); ++key) {
    // The centre of the key's cell.
    const int r = static_cast<int>((key >> 10) << 3 | 4), g = static_cast<int>(((key >> 5) & 31) << 3 | 4),
              b = static_cast<int>((key & 31) << 3 | 4);
    int best = 0, best_distance = 1 << 30;
    for (int i = 0; i < count; ++i) {
      const uint32_t c = colours[i];
      const int dr = r - static_cast<int>(c >> 16), dg = g - static_cast<int>((c >> 8) & 255),
                db = b - static_cast<int>(c & 255);
      const int distance = dr * dr + dg * dg + db * db;
      if (distance < best_distance) best_distance = distance, best = i;
    }
    lookup[key] = static_cast<uint8_t>(best);
  }
  return lookup;
}

}  // namespace platform::display
