// The 256 colours of 8-bit device-independent bitmaps that GetDIBits makes:
// the 20 static colours of the default palette in their usual places (0-9
// and 246-255), a 6x6x6 colour cube (10-225) and a grey ramp (226-245);
// also the colours an 8-bit X11 screen is given. Depends on nothing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace platform::display {

// 0x00RRGGBB words, index by index.
const std::array<uint32_t, 256>& system_palette();

// The index of the nearest colour to a 0x00RRGGBB word (5 bits a channel decide).
uint8_t nearest_system_index(uint32_t rgb);

// A colour's key in a nearest-colour lookup: 5 bits a channel.
inline uint32_t colour_key(uint32_t rgb) { return (rgb >> 19 & 31) << 10 | (rgb >> 11 & 31) << 5 | (rgb >> 3 & 31); }
// For every key, the index of the nearest of `count` 0x00RRGGBB colours.
std::vector<uint8_t> nearest_colour_lookup(const uint32_t* colours, int count);

}  // namespace platform::display
