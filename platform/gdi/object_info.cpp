// GetObjectW/GetObjectA: an object's description as its Windows record.
// A null buffer asks for the size; a buffer too small for the record fails.
// Bitmaps answer with a DIBSECTION when the buffer holds one and the bitmap
// is a DIB section, with a BITMAP otherwise.
// Depends on: objects. Changes no object.
#include <cstddef>
#include <cstring>

#include "gdi/objects.h"

using namespace platform::gdi;

namespace {

int copy_record(const void* record, int record_size, int size, void* out) {
  if (!out) return record_size;
  if (size < record_size) return 0;
  std::memcpy(out, record, static_cast<size_t>(record_size));
  return record_size;
}

BITMAP bitmap_record(const Bitmap& b) {
  BITMAP bm{};
  bm.bmWidth = b.width;
  bm.bmHeight = b.height;
  bm.bmWidthBytes = static_cast<LONG>(b.row_bytes);
  bm.bmPlanes = 1;
  bm.bmBitsPixel = static_cast<WORD>(b.bits_per_pixel);
  bm.bmBits = b.dib_section ? b.memory : nullptr;
  return bm;
}

int bitmap_info(const Bitmap& b, int size, void* out) {
  if (b.dib_section && (!out || size >= static_cast<int>(sizeof(DIBSECTION)))) {
    DIBSECTION ds{};
    ds.dsBm = bitmap_record(b);
    ds.dsBmih = b.header;
    return copy_record(&ds, sizeof ds, size, out);
  }
  const BITMAP bm = bitmap_record(b);
  return copy_record(&bm, sizeof bm, size, out);
}

int pen_info(const Pen& p, int size, void* out) {
  if (p.type == OBJ_PEN) {
    const LOGPEN lp{p.style, POINT{p.width, 0}, p.color};
    return copy_record(&lp, sizeof lp, size, out);
  }
  // EXTLOGPEN ends in as many style entries as the pen has.
  const size_t entries = p.style_entries.size();
  const size_t bytes = offsetof(EXTLOGPEN, elpStyleEntry) + entries * sizeof(DWORD);
  if (!out) return static_cast<int>(bytes);
  if (size < static_cast<int>(bytes)) return 0;
  EXTLOGPEN head{};
  head.elpPenStyle = p.style;
  head.elpWidth = static_cast<DWORD>(p.width);
  head.elpBrushStyle = p.brush_style;
  head.elpColor = p.color;
  head.elpHatch = p.hatch;
  head.elpNumEntries = static_cast<DWORD>(entries);
  auto* dst = static_cast<unsigned char*>(out);
  std::memcpy(dst, &head, offsetof(EXTLOGPEN, elpStyleEntry));
  if (entries) std::memcpy(dst + offsetof(EXTLOGPEN, elpStyleEntry), p.style_entries.data(), entries * sizeof(DWORD));
  return static_cast<int>(bytes);
}

int object_info(HGDIOBJ handle, int size, void* out, bool wide) {
  const auto o = find_object(handle);
  if (!o || size < 0) return 0;
  switch (o->type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return pen_info(static_cast<const Pen&>(*o), size, out);
    case OBJ_BRUSH: {
      const auto& b = static_cast<const Brush&>(*o);
      const LOGBRUSH lb{b.style, b.color, b.hatch};
      return copy_record(&lb, sizeof lb, size, out);
    }
    case OBJ_FONT: {
      const auto& f = static_cast<const Font&>(*o);
      if (wide) return copy_record(&f.record, sizeof f.record, size, out);
      const LOGFONTA ansi = out ? ansi_font_record(f.record) : LOGFONTA{};
      return copy_record(&ansi, sizeof ansi, size, out);
    }
    case OBJ_BITMAP: return bitmap_info(static_cast<const Bitmap&>(*o), size, out);
    case OBJ_PAL: {
      const WORD entries = static_cast<const Palette&>(*o).entries;
      return copy_record(&entries, sizeof entries, size, out);
    }
    default: return 0;  // regions and DCs have no record
  }
}

}  // namespace

int GetObjectW(HGDIOBJ object, int size, LPVOID out) { return object_info(object, size, out, true); }

int GetObjectA(HGDIOBJ object, int size, LPVOID out) { return object_info(object, size, out, false); }
