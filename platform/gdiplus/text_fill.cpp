// Text filled through the glyph cache. The text's path is cut into pieces
// (one per glyph, underline or strike-out); each piece is mapped to the
// device exactly as a path fill maps it, and a piece that lies wholly inside
// the clip box is looked up by its shape on the sub-pixel grid, so a glyph
// met again at the same sub-pixel offset is not rasterised again. Pieces
// whose cells share pixels have their fields added before the nonzero rule,
// so every pixel comes out as the rasteriser gives the whole path. The cache
// serves anti-aliased fills in one colour; anything else is filled whole.
// Depends on: canvas, coverage_field, glyph_cache, paint, path. Lays out no text (text_outline).
#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "gdiplus/canvas.h"
#include "gdiplus/glyph_cache.h"
#include "gdiplus/paint.h"
#include "gdiplus/render.h"

namespace Gdiplus::render {
namespace {

constexpr int32_t kGrid = 1 << kSubpixelShift;
// Device coordinates beyond this many pixels are left to the whole-path fill
// (the grid code must not overflow).
constexpr REAL kFar = 1 << 22;

struct Piece {
  size_t first = 0, last = 0;  // its points in the path
  bool inside = false;         // wholly inside the clip box: cached by its grid code
  size_t code_at = 0, code_size = 0;
  int origin_x = 0, origin_y = 0;  // whole pixels the grid code is relative to
  FieldRef field;
  PixelBox box;  // the field's pixels on the device
};

class TextFill {
 public:
  TextFill(Canvas& canvas, Paint& paint, const GpPath& path) : canvas_(canvas), paint_(paint), path_(path) {}

  // False (having drawn nothing) when the path is not lines in figures
  // or maps to a point that is not finite or very far out.
  bool map(const std::vector<size_t>& piece_ends) {
    const GpMatrix& to_pixels = canvas_.space().world_to_pixels;
    const PixelBox& clip = canvas_.space().box;
    code_.reserve(path_.points.size() * 2 + piece_ends.size() * 4);
    size_t at = 0;
    for (const size_t end : piece_ends) {
      if (at == end) continue;
      if (end > path_.points.size() || (path_.types[at] & PathPointTypePathTypeMask) != PathPointTypeStart)
        return false;
      Piece piece;
      piece.first = at;
      piece.code_at = code_.size();
      int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
      size_t count_at = 0;
      for (; at < end; ++at) {
        const BYTE kind = path_.types[at] & PathPointTypePathTypeMask;
        if (kind != PathPointTypeStart && kind != PathPointTypeLine) return false;
        const GpPointF p = to_pixels.apply(path_.points[at]);
        if (!(std::fabs(p.X) < kFar && std::fabs(p.Y) < kFar)) return false;
        if (kind == PathPointTypeStart) {
          count_at = code_.size();
          code_.push_back(0);
        }
        ++code_[count_at];
        const int32_t gx = to_grid(p.X), gy = to_grid(p.Y);
        code_.push_back(gx);
        code_.push_back(gy);
        left = std::min(left, gx), right = std::max(right, gx), top = std::min(top, gy), bottom = std::max(bottom, gy);
      }
      piece.last = at;
      // On the grid, with a margin of one step for the rounding: a piece
      // wholly beside, above or below the clip box leaves no coverage inside
      // it, one wholly inside is not clipped, and the rest go through the clipper.
      const int32_t x0 = clip.x0 * kGrid, y0 = clip.y0 * kGrid, x1 = clip.x1 * kGrid, y1 = clip.y1 * kGrid;
      const bool outside = right < x0 || left > x1 || bottom < y0 || top > y1;
      piece.inside = left > x0 && right < x1 && top > y0 && bottom < y1;
      if (piece.inside)
        to_origin(piece, left, top);
      else
        code_.resize(piece.code_at);
      if (!outside) pieces_.push_back(std::move(piece));
    }
    return at == path_.points.size();
  }

  void fill() {
    gather_fields();
    group();
    // Members of each group side by side, then each group filled once.
    std::vector<std::pair<size_t, const Piece*>> by_group;
    for (size_t i = 0; i < pieces_.size(); ++i)
      if (!pieces_[i].box.empty()) by_group.emplace_back(root(i), &pieces_[i]);
    std::sort(by_group.begin(), by_group.end());
    std::vector<const Piece*> members;
    for (size_t i = 0; i < by_group.size(); ++i) {
      members.push_back(by_group[i].second);
      if (i + 1 == by_group.size() || by_group[i + 1].first != by_group[i].first) {
        fill_group(members);
        members.clear();
      }
    }
  }

 private:
  // The piece's grid code made relative to the whole pixel at its top left,
  // which moves the rasteriser's cells by whole pixels and changes nothing else.
  void to_origin(Piece& piece, int32_t left, int32_t top) {
    piece.code_size = code_.size() - piece.code_at;
    piece.origin_x = left >> kSubpixelShift;
    piece.origin_y = top >> kSubpixelShift;
    const int32_t dx = piece.origin_x * kGrid, dy = piece.origin_y * kGrid;
    for (size_t at = piece.code_at; at < code_.size();) {
      const int32_t count = code_[at++];
      for (int32_t k = 0; k < count; ++k, at += 2) {
        code_[at] -= dx;
        code_[at + 1] -= dy;
      }
    }
  }

  void gather_fields() {
    std::vector<ShapeKey> keys;
    std::vector<size_t> cached;
    for (size_t i = 0; i < pieces_.size(); ++i) {
      const Piece& p = pieces_[i];
      if (!p.inside) continue;
      keys.push_back(ShapeKey{code_.data() + p.code_at, p.code_size, hash_code(code_.data() + p.code_at, p.code_size)});
      cached.push_back(i);
    }
    std::vector<FieldRef> found(keys.size());
    find_fields(keys.data(), keys.size(), found.data());
    for (size_t k = 0; k < keys.size(); ++k) {
      Piece& p = pieces_[cached[k]];
      p.field = std::move(found[k]);
      if (!p.field) {
        p.field = std::make_shared<const CoverageField>(field_of_code(keys[k].code, keys[k].size));
        keep_field(keys[k], p.field);
      }
    }
    for (Piece& p : pieces_) {
      if (!p.inside) p.field = std::make_shared<const CoverageField>(clipped_field(contours(p), canvas_.space().box));
      const PixelBox& b = p.field->box;
      p.box = PixelBox{b.x0 + p.origin_x, b.y0 + p.origin_y, b.x1 + p.origin_x, b.y1 + p.origin_y};
    }
  }

  // The piece's device contours, mapped as the path fill maps them.
  std::vector<Contour> contours(const Piece& piece) const {
    std::vector<Contour> out;
    for (size_t i = piece.first; i < piece.last; ++i) {
      if ((path_.types[i] & PathPointTypePathTypeMask) == PathPointTypeStart) out.emplace_back();
      out.back().push_back(canvas_.space().world_to_pixels.apply(path_.points[i]));
    }
    return out;
  }

  // Pieces whose boxes share pixels join one group (a sweep across x).
  void group() {
    parent_.resize(pieces_.size());
    std::iota(parent_.begin(), parent_.end(), size_t(0));
    std::vector<size_t> order(pieces_.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [this](size_t a, size_t b) { return pieces_[a].box.x0 < pieces_[b].box.x0; });
    std::vector<size_t> active;
    for (const size_t i : order) {
      const PixelBox& b = pieces_[i].box;
      if (b.empty()) continue;
      active.erase(std::remove_if(active.begin(), active.end(), [&](size_t a) { return pieces_[a].box.x1 <= b.x0; }),
                   active.end());
      for (const size_t a : active)
        if (pieces_[a].box.y0 < b.y1 && b.y0 < pieces_[a].box.y1) parent_[root(a)] = root(i);
      active.push_back(i);
    }
  }

  size_t root(size_t i) {
    while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
    return i;
  }

  void fill_group(const std::vector<const Piece*>& members) {
    PixelBox box = members[0]->box;
    for (const Piece* m : members)
      box = PixelBox{std::min(box.x0, m->box.x0), std::min(box.y0, m->box.y0), std::max(box.x1, m->box.x1),
                     std::max(box.y1, m->box.y1)};
    const int width = box.x1 - box.x0;
    if (members.size() == 1) {
      canvas_.fill_mask(box, members[0]->field->alpha.data(), width, paint_);
      return;
    }
    sums_.assign(size_t(width) * size_t(box.y1 - box.y0), 0);
    for (const Piece* m : members) {
      const int w = m->box.x1 - m->box.x0;
      for (int y = m->box.y0; y < m->box.y1; ++y) {
        const int32_t* from = m->field->sums.data() + size_t(y - m->box.y0) * size_t(w);
        int32_t* to = sums_.data() + size_t(y - box.y0) * size_t(width) + (m->box.x0 - box.x0);
        for (int x = 0; x < w; ++x) to[x] += from[x];
      }
    }
    alpha_.resize(sums_.size());
    std::transform(sums_.begin(), sums_.end(), alpha_.begin(), nonzero_alpha);
    canvas_.fill_mask(box, alpha_.data(), width, paint_);
  }

  Canvas& canvas_;
  Paint& paint_;
  const GpPath& path_;
  std::vector<int32_t> code_;
  std::vector<Piece> pieces_;
  std::vector<size_t> parent_;
  std::vector<int32_t> sums_;
  std::vector<uint8_t> alpha_;
};

}  // namespace

GpStatus fill_text(GpGraphics& graphics, const GpBrush& brush, const GpPath& path,
                   const std::vector<size_t>& piece_ends) {
  Canvas canvas(graphics);
  if (!canvas.drawable()) return Ok;
  std::unique_ptr<Paint> paint = make_paint(brush, canvas.space());
  if (!paint) return InvalidParameter;
  if (canvas.space().antialias && paint->uniform && path.fill_mode == FillModeWinding && glyph_cache_enabled()) {
    TextFill text(canvas, *paint, path);
    if (text.map(piece_ends)) {
      text.fill();
      return Ok;
    }
  }
  canvas.fill(path.flatten(canvas.space().world_to_pixels, detail::kFlatness, nullptr), path.fill_mode, *paint);
  return Ok;
}

}  // namespace Gdiplus::render
