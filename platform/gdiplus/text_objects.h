// The GDI+ text objects: a font (its GDI record and em size), a font family
// (its name) and a string format (its alignment), and the layout of text as
// glyph outlines.
// Depends on: fonts, gdiplus_text.h. Draws nothing.
#pragma once

#include <string>
#include <vector>

#include "fonts/fonts.h"
#include "platform/gdiplus_text.h"

namespace Gdiplus {

class GpFont {
 public:
  GpFont(const LOGFONTW& record_, REAL em_) : record(record_), em(em_) {}
  const LOGFONTW record;  // width, escapement and orientation zero
  const REAL em;          // pixels
};

class GpFontFamily {
 public:
  explicit GpFontFamily(const std::wstring& name_) : name(name_) {}
  const std::wstring name;  // at most LF_FACESIZE - 1 characters
};

class GpStringFormat {
 public:
  explicit GpStringFormat(bool shared_) : shared(shared_) {}
  StringAlignment align = StringAlignmentNear;
  const bool shared;  // the generic typographic format, never deleted
};

namespace detail {
// Adds the outlines of `text` in `font`, every length multiplied by `scale`,
// its first line's top at the layout's top, each line placed across the
// layout's width by `align`. `piece_ends` (may be null) receives the path's
// point count after each glyph, underline and strike-out.
GpStatus add_text_outlines(GpPath* path, const platform::fonts::Font& font, double scale, const std::u32string& text,
                           const GpRectF& layout, StringAlignment align, std::vector<size_t>* piece_ends);
}  // namespace detail

}  // namespace Gdiplus
