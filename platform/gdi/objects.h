// The drawing objects behind GDI handles: pens, brushes, font records, the
// stock palette and bitmaps. Objects other than bitmaps and regions do not
// change after creation, so any thread may read them.
// Depends on: handles, surface. Declares no drawing calls.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gdi/handles.h"
#include "gdi/surface.h"

namespace platform::gdi {

struct Pen : GdiObject {
  static bool is_kind(DWORD t) { return t == OBJ_PEN || t == OBJ_EXTPEN; }
  Pen(bool extended, DWORD s, LONG w, COLORREF c, UINT bs = BS_SOLID, ULONG_PTR h = 0,
      const DWORD* entries = nullptr, DWORD count = 0)
      : GdiObject(extended ? OBJ_EXTPEN : OBJ_PEN), style(s), width(w), brush_style(bs), color(c), hatch(h),
        style_entries(entries, entries + count) {}
  const DWORD style;
  const LONG width;
  const UINT brush_style;
  const COLORREF color;
  const ULONG_PTR hatch;
  const std::vector<DWORD> style_entries;  // PS_USERSTYLE dash lengths
};

struct Brush : GdiObject {
  static bool is_kind(DWORD t) { return t == OBJ_BRUSH; }
  Brush(UINT s, COLORREF c, ULONG_PTR h) : GdiObject(OBJ_BRUSH), style(s), color(c), hatch(h) {}
  const UINT style;
  const COLORREF color;
  const ULONG_PTR hatch;
};

struct Font : GdiObject {
  static bool is_kind(DWORD t) { return t == OBJ_FONT; }
  explicit Font(const LOGFONTW& f) : GdiObject(OBJ_FONT), record(f) { record.lfFaceName[LF_FACESIZE - 1] = 0; }
  LOGFONTW record;  // face name always terminated within LF_FACESIZE
};

// Only the stock default palette exists: 32-bit surfaces need none.
struct Palette : GdiObject {
  static bool is_kind(DWORD t) { return t == OBJ_PAL; }
  Palette() : GdiObject(OBJ_PAL) {}
  const WORD entries = 20;
};

struct Bitmap : GdiObject {
  static bool is_kind(DWORD t) { return t == OBJ_BITMAP; }
  Bitmap() : GdiObject(OBJ_BITMAP) {}
  ~Bitmap() override { std::free(memory); }

  uint8_t* memory = nullptr;  // zero-filled rows as laid out in memory; null for the stock bitmap
  int width = 0;
  int height = 0;              // always positive
  int bits_per_pixel = 32;
  ptrdiff_t row_bytes = 0;
  bool top_down = true;
  bool dib_section = false;    // made by CreateDIBSection: GetObject reports a DIBSECTION
  BITMAPINFOHEADER header{};   // DIB sections: the description they were made from

  // The pixels as a surface; false for the stock 1x1 bitmap, which has none.
  bool surface(Surface* out) const;
};

// Bytes per row of a DIB: rows are padded to 4 bytes. Computed in 64 bits.
inline int64_t dib_row_bytes(int64_t width, int bits_per_pixel) { return (width * bits_per_pixel + 31) / 32 * 4; }

// A font record as LOGFONTA: the face name in the ANSI code page, cut at a
// character boundary to fit LF_FACESIZE - 1 bytes.
LOGFONTA ansi_font_record(const LOGFONTW& font);

// Stock objects by GetStockObject index, and the 1x1 bitmap of new memory DCs.
HGDIOBJ stock_object(int index);
HBITMAP stock_bitmap();

// A COLORREF 0x00BBGGRR as the GDI drawing word 0x00RRGGBB (alpha 0).
inline uint32_t colorref_word(COLORREF c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }

}  // namespace platform::gdi
