// Laid-out text and its painting onto a DC's surface: the opaque cell
// background, the glyphs blended by their coverage in the text colour, and
// underline and strike-out lines, all with alpha 0 like every GDI drawing.
// Text space: u runs along the baseline from the start of the line, v down
// from the top of the cell; the font's escapement rotates it about the
// reference point.
// Depends on: fonts, dc. Does not break lines or apply alignment (text_out, draw_text).
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "fonts/fonts.h"
#include "gdi/dc.h"

namespace platform::gdi {

// One line of text: each glyph at its pen offset (whole pixels) from the start.
struct TextLine {
  struct Placed {
    fonts::GlyphRef glyph;
    int64_t pen;
  };
  std::vector<Placed> glyphs;
  std::vector<std::pair<int64_t, int64_t>> marks;  // [from, to) spans underlined on their own
  int64_t width = 0;

  void add(fonts::GlyphRef glyph) {
    const int advance = glyph->advance;
    glyphs.push_back({std::move(glyph), width});
    width += advance;
  }
};

// The realised font selected into `dc`; null when no face can be loaded.
std::shared_ptr<const fonts::Font> dc_font(const DeviceContext& dc);

// `count` characters of `text` in `font`, starting at pen 0.
TextLine layout_text(const fonts::Font& font, const wchar_t* text, size_t count);

// The device point (x, y) is the text-space point (u, v) of the line.
struct TextPlacement {
  int64_t x = 0, y = 0;
  int64_t u = 0, v = 0;
};

// Paints `line` on `dc` with its text colour, background mode and colour,
// within the DC's clip and, when given, the device rectangle `clip`.
void paint_text(const DeviceContext& dc, const fonts::Font& font, const TextLine& line, const TextPlacement& at,
                const RECT* clip);

}  // namespace platform::gdi
