// BitBlt, StretchBlt and PatBlt: one block-transfer executor. The call works
// out the device rectangles it may touch (clip), the axis maps (which
// destination pixels receive a source pixel) and the pattern, then runs the
// ROP3 row by row. Every stretch mode samples like COLORONCOLOR: with 32-bit
// colour there is no palette for BLACKONWHITE/WHITEONBLACK/HALFTONE to blend
// into, and one sampling rule keeps all stretches of the platform alike.
// Depends on: dc, blit_geometry, rop, primitives, screen_copy. Does not blend alpha (AlphaBlend is
// msimg32) or dither.
#include <algorithm>
#include <cstring>

#include "gdi/blit_geometry.h"
#include "gdi/dc.h"
#include "gdi/primitives.h"
#include "gdi/rop.h"
#include "gdi/screen_copy.h"

namespace platform::gdi {
namespace {

constexpr uint8_t kSrcCopy = 0xCC;

std::pair<const uint8_t*, const uint8_t*> memory_range(const Surface& s) {
  const ptrdiff_t span = s.stride < 0 ? -s.stride : s.stride;
  const uint8_t* first = s.stride < 0 ? s.bits + s.stride * (s.height - 1) : s.bits;
  return {first, first + span * s.height};
}

bool overlaps(const Surface& a, const Surface& b) {
  const auto ra = memory_range(a), rb = memory_range(b);
  return ra.first < rb.second && rb.first < ra.second;
}

// Copies the source pixels the blit reads into 32-bit words laid out like
// the destination area and points the blit at the copy. Used when source and
// destination share memory (the blit then behaves as if through a temporary)
// and for 24-bit sources.
void take_snapshot(Surface* src, AxisMap* mx, AxisMap* my, std::vector<uint32_t>* store) {
  const size_t w = static_cast<size_t>(mx->hi - mx->lo), h = static_cast<size_t>(my->hi - my->lo);
  store->resize(w * h);
  for (size_t k = 0; k < h; ++k) {
    uint32_t* out = store->data() + k * w;
    const int sy = static_cast<int>(my->source(my->lo + static_cast<int64_t>(k)));
    if (mx->translated()) {
      const uint32_t* words = open_span(*src, static_cast<int>(mx->lo + mx->shift), sy, w, out);
      if (words != out) std::memcpy(out, words, w * sizeof(uint32_t));
    } else {
      for (size_t i = 0; i < w; ++i) out[i] = read_pixel(*src, mx->table[i], sy);
    }
  }
  for (AxisMap* m : {mx, my}) {
    m->table.clear();
    m->shift = -m->lo;
  }
  Surface copy;
  copy.bits = reinterpret_cast<uint8_t*>(store->data());
  copy.width = static_cast<int>(w);
  copy.height = static_cast<int>(h);
  copy.stride = static_cast<ptrdiff_t>(w * sizeof(uint32_t));
  copy.bits_per_pixel = 32;
  *src = copy;
}

// True when a SRCCOPY of whole top-down 32-bit rows, unstretched, reads and
// writes one contiguous block of memory each.
bool copies_whole_rows(const Surface& dst, const Surface* src, const AxisMap& mx, const AxisMap& my, uint8_t table,
                       int x0, size_t n) {
  return table == kSrcCopy && src != nullptr && mx.translated() && my.translated() && dst.bits_per_pixel == 32 &&
         x0 == 0 && mx.shift == 0 && n == static_cast<size_t>(dst.width) && src->width == dst.width &&
         dst.stride == static_cast<ptrdiff_t>(n * sizeof(uint32_t)) && src->stride == dst.stride;
}

// Runs the operation over the mapped area within each clip rectangle.
// `src` is 32-bit, or null when the operation reads no source. With
// `lines_only` (a hatched brush in TRANSPARENT mode) the hatch gaps keep
// their pixels, as FillRect leaves them.
void execute(const Surface& dst, const std::vector<RECT>& clip, const AxisMap& mx, const AxisMap& my,
             const Surface* src, uint8_t table, const Pattern& pattern, bool lines_only) {
  const size_t width = static_cast<size_t>(mx.hi - mx.lo);
  std::vector<uint32_t> src_words(src && !mx.translated() ? width : 0);
  std::vector<uint32_t> dst_words(dst.bits_per_pixel == 32 ? 0 : width);
  std::vector<uint32_t> kept(lines_only ? width : 0);
  // A copy into a 24-bit row never reads the row: the source words are
  // narrowed into it directly, with no widening of the old pixels first.
  const bool narrow_copy = table == kSrcCopy && dst.bits_per_pixel != 32;
  for (const RECT& c : clip) {
    const RECT area = clipped_area(c, mx, my);
    const int x0 = area.left, x1 = area.right, y0 = area.top, y1 = area.bottom;
    if (x0 >= x1 || y0 >= y1) continue;
    const size_t n = static_cast<size_t>(x1 - x0);
    if (copies_whole_rows(dst, src, mx, my, table, x0, n)) {
      // One block: the C library streams large copies past the cache.
      std::memmove(dst.row32(y0), src->row32(static_cast<int>(my.source(y0))),
                   n * sizeof(uint32_t) * static_cast<size_t>(y1 - y0));
      continue;
    }
    for (int y = y0; y < y1; ++y) {
      uint32_t* d = narrow_copy ? dst_words.data() : open_span(dst, x0, y, n, dst_words.data());
      const uint32_t* s = nullptr;
      if (src) {
        const uint32_t* row = src->row32(static_cast<int>(my.source(y)));
        if (mx.translated()) {
          s = row + (x0 + mx.shift);
        } else if (table == kSrcCopy && y > y0 && dst.bits_per_pixel == 32 && my.source(y) == my.source(y - 1)) {
          // An enlarged SRCCOPY repeats the row it has just gathered.
          s = dst.row32(y - 1) + x0;
        } else {
          // A stretched SRCCOPY gathers straight into the destination.
          uint32_t* into = table == kSrcCopy ? d : src_words.data();
          gather_span(row, mx.table.data() + (x0 - mx.lo), n, into);
          s = into;
        }
      }
      if (narrow_copy) {
        close_span(dst, x0, y, n, s);
        continue;
      }
      if (lines_only) std::copy(d, d + n, kept.begin());
      if (s != d) rop3_row(table, d, s, pattern.row(y), x0, n);
      if (lines_only)
        for (size_t i = 0; i < n; ++i)
          if (!pattern.on_line(x0 + static_cast<int64_t>(i), y)) d[i] = kept[i];
      close_span(dst, x0, y, n, d);
    }
  }
}

// The common body of the three calls. Logical coordinates of each DC; an
// empty destination or source extent answers `when_empty`.
BOOL block_transfer(HDC dst, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop,
                    BOOL when_empty) {
  const auto d = find_dc(dst);
  const uint8_t table = rop3_table(rop);
  const bool reads_source = rop3_uses_source(table);
  const auto s = reads_source ? find_dc(src) : nullptr;
  if (!d || (reads_source && !s)) return FALSE;
  if (w == 0 || h == 0 || (reads_source && (ws == 0 || hs == 0))) return when_empty;
  if (table == kSrcCopy && w == ws && h == hs && s->is_screen() && copy_from_screen(*d, x, y, w, h, *s, xs, ys))
    return TRUE;

  Surface dst_surface, src_surface;
  if (!surface_of(*d, &dst_surface)) return TRUE;  // nothing to draw on
  if (reads_source && !surface_of(*s, &src_surface)) return TRUE;
  const std::vector<RECT> clip = clip_rects(*d, dst_surface.width, dst_surface.height);
  if (clip.empty()) return TRUE;
  Pattern pattern;  // all zero when the operation reads no pattern
  if (rop3_uses_pattern(table)) {
    pattern = make_pattern(*d->brush, d->bk_color);
    if (pattern.hollow) return TRUE;
  }
  const bool lines_only = !reads_source && !pattern.solid && d->bk_mode == TRANSPARENT;

  const RECT bounds = bounding_box(clip);
  AxisMap mx, my;
  if (reads_source) {
    mx = map_axis(device_x(*d, x), w, bounds.left, bounds.right, device_x(*s, xs), ws, src_surface.width);
    my = map_axis(device_y(*d, y), h, bounds.top, bounds.bottom, device_y(*s, ys), hs, src_surface.height);
  } else {
    mx = span_axis(device_x(*d, x), w, bounds.left, bounds.right);
    my = span_axis(device_y(*d, y), h, bounds.top, bounds.bottom);
  }
  if (mx.empty() || my.empty()) return TRUE;

  std::vector<uint32_t> snapshot;
  if (reads_source && (src_surface.bits_per_pixel != 32 || overlaps(src_surface, dst_surface))) {
    take_snapshot(&src_surface, &mx, &my, &snapshot);
  }
  execute(dst_surface, clip, mx, my, reads_source ? &src_surface : nullptr, table, pattern, lines_only);
  return TRUE;
}

BOOL guarded_transfer(HDC dst, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop,
                      BOOL when_empty) {
  try {
    return block_transfer(dst, x, y, w, h, src, xs, ys, ws, hs, rop, when_empty);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
}

}  // namespace
}  // namespace platform::gdi

// An empty BitBlt or PatBlt draws nothing and succeeds; StretchBlt refuses zero extents.
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int xs, int ys, DWORD rop) {
  return platform::gdi::guarded_transfer(dst, x, y, width, height, src, xs, ys, width, height, rop, TRUE);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int xs, int ys, int ws, int hs, DWORD rop) {
  return platform::gdi::guarded_transfer(dst, x, y, width, height, src, xs, ys, ws, hs, rop, FALSE);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  if (platform::gdi::rop3_uses_source(platform::gdi::rop3_table(rop))) return FALSE;
  return platform::gdi::guarded_transfer(dc, x, y, width, height, nullptr, 0, 0, width, height, rop, TRUE);
}
