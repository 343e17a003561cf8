// Text painting. Upright text maps text space to whole device pixels; rotated
// text is drawn by testing pixel centres against the rotated cell, and its
// glyphs (rendered rotated by FreeType) are placed at their rounded pen
// positions. Every loop runs within one clip rectangle at a time.
// Depends on: fonts (glyphs from FreeType), primitives, dc. Does not break lines or apply alignment.
#include "gdi/text_render.h"

#include <algorithm>
#include <cmath>

#include "gdi/primitives.h"

namespace platform::gdi {
namespace {

// Text space to device pixels and back: a rotation about the reference point.
struct Mapper {
  double x, y, u0, v0, c, s;

  void to_device(double u, double v, double* dx, double* dy) const {
    u -= u0;
    v -= v0;
    *dx = x + u * c + v * s;
    *dy = y - u * s + v * c;
  }
  void to_text(double dx, double dy, double* u, double* v) const {
    dx -= x;
    dy -= y;
    *u = dx * c - dy * s + u0;
    *v = dx * s + dy * c + v0;
  }
};

struct Target {
  Surface surface;
  std::vector<RECT> clips;
  std::vector<uint32_t> scratch;  // one row for 24-bit surfaces
  bool upright = true;
};

LONG clamp_long(double v) { return static_cast<LONG>(std::clamp(v, double(INT32_MIN), double(INT32_MAX))); }

bool intersect(const RECT& a, const RECT& b, RECT* out) {
  *out = RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  return out->left < out->right && out->top < out->bottom;
}

uint32_t blend(uint32_t text, uint32_t under, uint32_t coverage) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t t = (text >> shift) & 0xFF, d = (under >> shift) & 0xFF;
    out |= ((t * coverage + d * (255 - coverage) + 127) / 255) << shift;
  }
  return out;
}

// Paints the text-space rectangle [u0, u1) x [v0, v1) with `word`.
void fill_cell(Target& t, const Mapper& m, double u0, double v0, double u1, double v1, uint32_t word) {
  if (u0 >= u1 || v0 >= v1) return;
  double xs[4], ys[4];
  m.to_device(u0, v0, &xs[0], &ys[0]);
  m.to_device(u1, v0, &xs[1], &ys[1]);
  m.to_device(u0, v1, &xs[2], &ys[2]);
  m.to_device(u1, v1, &xs[3], &ys[3]);
  const RECT box{clamp_long(std::floor(*std::min_element(xs, xs + 4))), clamp_long(std::floor(*std::min_element(ys, ys + 4))),
                 clamp_long(std::ceil(*std::max_element(xs, xs + 4))), clamp_long(std::ceil(*std::max_element(ys, ys + 4)))};
  for (const RECT& c : t.clips) {
    RECT r;
    if (!intersect(box, c, &r)) continue;
    const size_t n = static_cast<size_t>(r.right - r.left);
    t.scratch.resize(n);
    for (int y = r.top; y < r.bottom; ++y) {
      uint32_t* span = open_span(t.surface, r.left, y, n, t.scratch.data());
      for (size_t i = 0; i < n; ++i) {
        double u = 0, v = 0;
        if (!t.upright) m.to_text(r.left + double(i) + 0.5, y + 0.5, &u, &v);
        if (t.upright || (u >= u0 && u < u1 && v >= v0 && v < v1)) span[i] = word;
      }
      close_span(t.surface, r.left, y, n, span);
    }
  }
}

// Blends the glyph's coverage in `word` with its bitmap's top-left at device (gx, gy).
void blend_glyph(Target& t, const fonts::Glyph& g, int64_t gx, int64_t gy, uint32_t word) {
  if (g.width <= 0 || g.rows <= 0) return;
  const RECT box{clamp_long(double(gx)), clamp_long(double(gy)), clamp_long(double(gx) + g.width),
                 clamp_long(double(gy) + g.rows)};
  for (const RECT& c : t.clips) {
    RECT r;
    if (!intersect(box, c, &r)) continue;
    const size_t n = static_cast<size_t>(r.right - r.left);
    t.scratch.resize(n);
    for (int y = r.top; y < r.bottom; ++y) {
      const uint8_t* cov = g.coverage.data() + size_t(y - gy) * size_t(g.width) + size_t(r.left - gx);
      uint32_t* span = open_span(t.surface, r.left, y, n, t.scratch.data());
      for (size_t i = 0; i < n; ++i) {
        if (cov[i] == 255) span[i] = word;
        else if (cov[i] != 0) span[i] = blend(word, span[i], cov[i]);
      }
      close_span(t.surface, r.left, y, n, span);
    }
  }
}

}  // namespace

std::shared_ptr<const fonts::Font> dc_font(const DeviceContext& dc) {
  return dc.font ? fonts::realise(dc.font->record) : nullptr;
}

TextLine layout_text(const fonts::Font& font, const wchar_t* text, size_t count) {
  TextLine line;
  const std::u32string chars = fonts::code_points(text, count);
  for (fonts::GlyphRef& g : font.glyphs(chars.data(), chars.size())) line.add(std::move(g));
  return line;
}

void paint_text(const DeviceContext& dc, const fonts::Font& font, const TextLine& line, const TextPlacement& at,
                const RECT* clip) {
  Target t;
  if (!surface_of(dc, &t.surface)) return;
  for (const RECT& c : clip_rects(dc, t.surface.width, t.surface.height)) {
    RECT r;
    if (clip == nullptr) t.clips.push_back(c);
    else if (intersect(c, *clip, &r)) t.clips.push_back(r);
  }
  if (t.clips.empty()) return;

  const fonts::Metrics& fm = font.metrics();
  t.upright = fm.escapement == 0.0;
  const Mapper m{double(at.x), double(at.y), double(at.u), double(at.v), std::cos(fm.escapement),
                 std::sin(fm.escapement)};
  const double width = double(line.width);
  if (dc.bk_mode == OPAQUE) fill_cell(t, m, 0, 0, width, fm.height, colorref_word(dc.bk_color));

  const uint32_t word = colorref_word(dc.text_color);
  for (const TextLine::Placed& p : line.glyphs) {
    double px = 0, py = 0;
    m.to_device(double(p.pen), fm.ascent, &px, &py);
    blend_glyph(t, *p.glyph, std::llround(px) + p.glyph->left, std::llround(py) - p.glyph->top, word);
  }
  const double underline = fm.ascent + fm.underline_offset;
  if (fm.underline) fill_cell(t, m, 0, underline, width, underline + fm.underline_thickness, word);
  for (const auto& [from, to] : line.marks)
    fill_cell(t, m, double(from), underline, double(to), underline + fm.underline_thickness, word);
  if (fm.strike_out) {
    const double top = fm.ascent - fm.strikeout_offset;
    fill_cell(t, m, 0, top, width, top + fm.strikeout_thickness, word);
  }
}

}  // namespace platform::gdi
