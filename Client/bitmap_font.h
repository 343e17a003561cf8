// The client's bitmap font: one 50x100 PNG glyph a character code in
// "font//<code>.png", scaled to the cell, tinted and colour-keyed onto a picture.
// Depends on: Frond and the glyph images of the run folder; draws no other font.
#pragma once

#include <string>

#include "graphics/frond.h"

namespace quillfern {

// The glyph file of a character code.
std::string glyph_path(int code);

// Draws `text` with cells h/2 x h in colour (r, g, b) at (x, y) of `dest`
// (null: the window's drawing target).
void draw_font_text(int h, int r, int g, int b, int x, int y, const std::string& text, frond::IMAGE* dest);

// The chat line: glyph height H/9 in the chat colour, at the top or bottom of
// a picture H high.
void draw_chat_line(frond::IMAGE* dest, int H, const std::string& text, bool top);

}  // namespace quillfern
