// Text output routines shared by the library's text components. Internal.
// Depends on: frond.h, GDI+ text. Lays out no text itself.
#pragma once

#include <cstdarg>
#include <string>

#include "graphics/frond.h"
#include "platform/gdiplus_text.h"

namespace frond {

// The process's generic typographic string format, obtained on first use
// (its object stays null when GDI+ cannot supply it) and kept for good.
gdip_holder<Gdiplus::GpStringFormat>& typographic_format();

struct text_offset {
  int dx, dy;
};

// Half of `height` towards the top of text turned by `escapement` tenths of a
// degree: the move that centres top-aligned text on its reference point.
text_offset escapement_offset(int height, int escapement);

// GDI text with its reference point at (x, y) on a resolved image, aligned
// by the image's justification (null image: nothing).
void textout_justified(IMAGE* img, const wchar_t* text, int x, int y);

// Word-wrapped text in the rectangle (x, y, w, h) of a resolved image,
// justified and clipped to the rectangle (null image: nothing).
void textrect_justified(IMAGE* img, int x, int y, int w, int h, const wchar_t* text);

// GDI+ text with its layout origin at (x, y) in the image's world space, in
// the image's font and full ARGB text colour (null image or no DC: nothing).
void draw_text_gdiplus(const wchar_t* text, float x, float y, IMAGE* img);

// printf-style formatting into the calling thread's buffers (see frond.h for
// the limits and what %s means in wide formats); a null format gives "".
const char* format_narrow(const char* format, va_list args);
const wchar_t* format_wide(const wchar_t* format, va_list args);

}  // namespace frond
