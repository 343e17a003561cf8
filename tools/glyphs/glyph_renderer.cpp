// Character cells of a monospaced font: fontconfig finds the font file,
// FreeType picks the largest size that fits the cell and renders each code
// centred on a common baseline. Writes no file.
// Depends on: FreeType and fontconfig. Encodes no PNG (main.cpp does, through common/png_encode).
#include "glyph_renderer.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace {

int pixels(FT_Pos f26dot6) { return static_cast<int>((f26dot6 + 63) >> 6); }

}  // namespace

GlyphRenderer::GlyphRenderer(const std::string& font_file, int cell_width, int cell_height)
    : width_(cell_width), height_(cell_height) {
  if (FT_Init_FreeType(&library_) != 0) return;
  if (FT_New_Face(library_, font_file.c_str(), 0, &face_) != 0) {
    face_ = nullptr;
    return;
  }
  for (int size = cell_height; size > 0; --size) {
    if (FT_Set_Pixel_Sizes(face_, 0, size) != 0) continue;
    const FT_Size_Metrics& m = face_->size->metrics;
    const int advance = pixels(m.max_advance);
    const int ascent = pixels(m.ascender);
    const int line = ascent + pixels(-m.descender);
    if (advance <= cell_width && line <= cell_height) {
      // The line sits in the middle of the cell, the advance in its centre.
      baseline_ = (cell_height - line) / 2 + ascent;
      pen_x_ = (cell_width - advance) / 2;
      return;
    }
  }
  FT_Done_Face(face_);
  face_ = nullptr;
}

GlyphRenderer::~GlyphRenderer() {
  if (face_) FT_Done_Face(face_);
  if (library_) FT_Done_FreeType(library_);
}

std::vector<std::uint8_t> GlyphRenderer::render(unsigned code) const {
  std::vector<std::uint8_t> rgb(std::size_t(width_) * height_ * 3, 0);
  if (code < 32 || code == 127) return rgb;
  if (FT_Load_Char(face_, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return rgb;
  const FT_GlyphSlot slot = face_->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return rgb;
  const int left = pen_x_ + slot->bitmap_left;
  const int top = baseline_ - slot->bitmap_top;
  for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
    const int y = top + row;
    if (y < 0 || y >= height_) continue;
    for (int column = 0; column < static_cast<int>(bitmap.width); ++column) {
      const int x = left + column;
      if (x < 0 || x >= width_) continue;
      const std::uint8_t value = bitmap.buffer[row * bitmap.pitch + column];
      std::fill_n(&rgb[(std::size_t(y) * width_ + x) * 3], 3, value);
    }
  }
  return rgb;
}

std::string find_font_file(const std::string& family) {
  std::string file;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family.c_str()));
  if (!pattern) return file;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
    file = reinterpret_cast<const char*>(path);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return file;
}
