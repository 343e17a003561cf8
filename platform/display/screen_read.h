// Pieces that both backends' screen reads share: which part of a read lies
// on the screen (the rest reads as black), and writing rows of 0x00RRGGBB
// words into a 32-bit or 24-bit surface (alpha 0, or no alpha at all).
// Depends on: the Surface type. Knows no backend; reads no screen itself.
#pragma once

#include <cstdint>

#include "display/surface.h"
#include "platform/wintypes.h"

namespace platform::display {

// The part, in screen coordinates, of a read at (x, y) of `destination`'s size
// that lies on a screen of `screen` size; every destination pixel outside it is
// set to black. Empty (left >= right) when nothing lies on the screen.
RECT on_screen_part(int x, int y, SIZE screen, const Surface& destination);

// Packs `count` words into 3-byte pixels (blue, green, red).
void pack_24(const uint32_t* words, uint8_t* out, int count);

// Writes `count` words at (column, row) of a 32-bit or 24-bit surface; 32-bit
// pixels get alpha 0.
void write_words(const Surface& destination, int column, int row, const uint32_t* words, int count);

}  // namespace platform::display
