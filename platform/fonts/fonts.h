// Realised fonts: a LOGFONT turned into an installed face at a pixel size,
// with its metrics and its glyphs as grey coverage bitmaps. Fonts are
// realised lazily, on their first use for drawing or measuring, and cached by
// their LOGFONT; a realised font may be used from several threads at once.
// Depends on: gdi32.h (LOGFONT). Knows nothing of DCs or surfaces.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi32.h"

namespace platform::fonts {

// Whole pixels. Offsets of underline and strike-out lines are to the top of
// the line: below the baseline for the underline, above it for the strike-out.
struct Metrics {
  int height = 0;  // ascent + descent: the cell height
  double em = 0.0;  // the em height
  int ascent = 0;
  int descent = 0;
  int internal_leading = 0;
  int external_leading = 0;
  int ave_char_width = 0;
  int max_char_width = 0;
  int weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  bool fixed_pitch = false;
  BYTE family = FF_DONTCARE;
  BYTE char_set = DEFAULT_CHARSET;
  int underline_offset = 0;
  int underline_thickness = 1;
  int strikeout_offset = 0;
  int strikeout_thickness = 1;
  double escapement = 0.0;  // radians, counter-clockwise
};

// One character's image, drawn with the font's rotation. The bitmap's
// top-left corner lies `left` pixels right of and `top` pixels above the pen.
struct Glyph {
  int advance = 0;  // along the baseline
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  std::vector<uint8_t> coverage;  // rows x width, 0 (none) .. 255 (full)
};
using GlyphRef = std::shared_ptr<const Glyph>;

// One character's outline, unhinted and not rotated, in pixels with y up
// from the pen: closed polygons (curves flattened) to fill with the nonzero
// rule, and the exact advance along the baseline.
struct Outline {
  struct Point {
    double x, y;
  };
  std::vector<std::vector<Point>> contours;
  double advance = 0.0;
};
using OutlineRef = std::shared_ptr<const Outline>;

class Font {
 public:
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // A new font for `record`; null when no installed face can be loaded.
  static std::unique_ptr<Font> open(const LOGFONTW& record);

  const Metrics& metrics() const { return metrics_; }
  // The glyphs of `count` characters, one each; never null.
  std::vector<GlyphRef> glyphs(const char32_t* text, size_t count) const;
  // The outlines of `count` characters, one each (empty for a blank or
  // missing one); never null. Made once per character and kept.
  std::vector<OutlineRef> outlines(const char32_t* text, size_t count) const;

 private:
  struct Face;
  Font(std::unique_ptr<Face> face, const Metrics& metrics);

  std::unique_ptr<Face> face_;
  Metrics metrics_;
};

// The characters of `count` units of wide text: a UTF-16 surrogate pair is
// one character, any other unit stands for itself.
std::u32string code_points(const wchar_t* text, size_t count);

// The realised font of `record`, from the cache or made now; null when no
// face can be loaded. Face names compare without regard to case.
std::shared_ptr<const Font> realise(const LOGFONTW& record);

}  // namespace platform::fonts
