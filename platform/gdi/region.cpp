// Region algebra (intersection and difference, all the clip needs) and
// CreateRectRgn. Combination cuts the plane into
// horizontal bands at every top and bottom edge of both operands; within a
// band each operand is a sorted list of x spans, which a sweep combines.
// Depends on: region.h, handles. No union or xor, and no elliptic or polygon regions.
#include "gdi/region.h"

#include <algorithm>
#include <utility>

namespace platform::gdi {
namespace {

using Spans = std::vector<std::pair<LONG, LONG>>;

// The spans of a banded rectangle list over [top, bottom), which lies between
// two consecutive band edges: each rectangle covers it whole or misses it.
void band_spans(const std::vector<RECT>& rects, LONG top, LONG bottom, Spans* out) {
  out->clear();
  for (const RECT& r : rects) {
    if (r.top >= bottom) break;
    if (r.top <= top && r.bottom >= bottom) out->emplace_back(r.left, r.right);
  }
}

bool keeps(int mode, bool in_a, bool in_b) { return mode == RGN_AND ? in_a && in_b : in_a && !in_b; }

bool covers(const Spans& spans, size_t* index, LONG x) {
  while (*index < spans.size() && spans[*index].second <= x) ++*index;
  return *index < spans.size() && spans[*index].first <= x;
}

void combine_spans(const Spans& a, const Spans& b, int mode, std::vector<LONG>* edges, Spans* out) {
  edges->clear();
  for (const auto& s : a) edges->insert(edges->end(), {s.first, s.second});
  for (const auto& s : b) edges->insert(edges->end(), {s.first, s.second});
  std::sort(edges->begin(), edges->end());
  edges->erase(std::unique(edges->begin(), edges->end()), edges->end());
  out->clear();
  size_t ia = 0, ib = 0;
  for (size_t k = 0; k + 1 < edges->size(); ++k) {
    const LONG x0 = (*edges)[k], x1 = (*edges)[k + 1];
    const bool in_a = covers(a, &ia, x0);
    const bool in_b = covers(b, &ib, x0);
    if (!keeps(mode, in_a, in_b)) continue;
    if (!out->empty() && out->back().second == x0) {
      out->back().second = x1;
    } else {
      out->emplace_back(x0, x1);
    }
  }
}

}  // namespace

Region::Region(const RECT& rect) {
  const RECT r{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
               std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
  if (r.left < r.right && r.top < r.bottom) rects_.push_back(r);
}

int Region::complexity() const {
  return rects_.empty() ? NULLREGION : rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

Region Region::combine(const Region& a, const Region& b, int mode) {
  std::vector<LONG> ys;
  for (const Region* operand : {&a, &b}) {
    for (const RECT& r : operand->rects_) ys.insert(ys.end(), {r.top, r.bottom});
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  Region result;
  std::vector<RECT>& out = result.rects_;
  Spans spans_a, spans_b, spans, previous;
  std::vector<LONG> edges;
  size_t previous_start = 0;  // first rectangle of the last band written
  for (size_t k = 0; k + 1 < ys.size(); ++k) {
    const LONG top = ys[k], bottom = ys[k + 1];
    band_spans(a.rects_, top, bottom, &spans_a);
    band_spans(b.rects_, top, bottom, &spans_b);
    combine_spans(spans_a, spans_b, mode, &edges, &spans);
    if (spans.empty()) continue;
    if (!out.empty() && out.back().bottom == top && spans == previous) {
      for (size_t i = previous_start; i < out.size(); ++i) out[i].bottom = bottom;
      continue;
    }
    previous_start = out.size();
    for (const auto& s : spans) out.push_back(RECT{s.first, top, s.second, bottom});
    previous.swap(spans);
  }
  return result;
}

}  // namespace platform::gdi

// ---- the region calls ---------------------------------------------------------------

using platform::gdi::find_as;
using platform::gdi::Region;
using platform::gdi::RegionObject;

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return static_cast<HRGN>(platform::gdi::create_object<RegionObject>(Region(RECT{left, top, right, bottom})));
}
