// Renders character cells of a monospaced font with FreeType.
// Depends on: FreeType, and fontconfig to find the font (glyph_renderer.cpp). Writes no file.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>
#include <vector>

class GlyphRenderer {
 public:
  // Opens the font file and picks the largest pixel size whose advance and
  // line height fit the cell.
  GlyphRenderer(const std::string& font_file, int cell_width, int cell_height);
  ~GlyphRenderer();
  GlyphRenderer(const GlyphRenderer&) = delete;
  GlyphRenderer& operator=(const GlyphRenderer&) = delete;

  bool ok() const { return face_ != nullptr; }

  // The cell of `code` as 8-bit RGB, light anti-aliased strokes on black,
  // centred on the advance and standing on a common baseline. Control codes
  // and blanks give an all-black cell.
  std::vector<std::uint8_t> render(unsigned code) const;

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  int width_;
  int height_;
  int baseline_ = 0;
  int pen_x_ = 0;
};

// The file of the best installed match for a font family, through fontconfig;
// empty when fontconfig finds nothing.
std::string find_font_file(const std::string& family);
