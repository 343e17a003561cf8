// Image sampling. Nearest neighbour takes the pixel under the mapped centre;
// where the mapping is an axis-aligned stretch between whole pixels it uses
// the platform's shared stretch rule, so GDI+ and GDI stretches pick the same
// pixels, through a column table computed once per call. Bilinear and bicubic filter in premultiplied colour (transparent
// pixels lend no colour); their high-quality forms widen the filter when
// shrinking, so that every source pixel contributes.
// Depends on: display/stretch_sampling, brush_kinds, image, paint. Does not clip or composite (canvas).
#include "gdiplus/image_sampler.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

#include "display/stretch_sampling.h"
#include "gdiplus/brush_kinds.h"

namespace Gdiplus::render {

namespace {

// round(v / 255) for 0 <= v <= 255 * 255.
uint32_t div255round(uint32_t v) { return (v + ((v + 384) >> 8) + 127) >> 8; }

// Each pixel's alpha a becomes round(a * w / 255); colours stay.
void scale_alpha(ARGB* p, int len, uint32_t w) {
  int i = 0;
#if defined(__x86_64__)
  const __m128i weight = _mm_set1_epi32(int(w)), colour = _mm_set1_epi32(0x00FFFFFF);
  const __m128i c128 = _mm_set1_epi16(128), c257 = _mm_set1_epi16(257);
  for (; i + 4 <= len; i += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    // a * w fits the low 16 bits of each lane; ((v + 128) * 257) >> 16 is round(v / 255) there.
    const __m128i product = _mm_mullo_epi16(_mm_srli_epi32(v, 24), weight);
    const __m128i scaled = _mm_mulhi_epu16(_mm_add_epi16(product, c128), c257);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), _mm_or_si128(_mm_and_si128(v, colour), _mm_slli_epi32(scaled, 24)));
  }
#endif
  for (; i < len; ++i) p[i] = (p[i] & 0x00FFFFFF) | div255round((p[i] >> 24) * w) << 24;
}

// a / 255.0 for every alpha byte, as the filter's sums use it.
const std::array<double, 256> kAlphaFractions = [] {
  std::array<double, 256> table{};
  for (int a = 0; a < 256; ++a) table[size_t(a)] = a / 255.0;
  return table;
}();

class ImagePaint : public Paint {
 public:
  ImagePaint(const ImageSource& source, InterpolationMode mode) : src_(source), mode_(mode) {
    const GpMatrix& m = source.pixels_to_source;
    // A whole-pixel translation samples exactly whatever the mode.
    if (m.m11 == 1 && m.m22 == 1 && m.m12 == 0 && m.m21 == 0 && m.dx == std::floor(m.dx) && m.dy == std::floor(m.dy))
      mode_ = InterpolationModeNearestNeighbor;
    if (mode_ == InterpolationModeNearestNeighbor)
      plan_stretch();
    else
      plan_filter();
  }

  void colors(int y, int x, int len, ARGB* out) override {
    if (copy_stretched_row(y, x, len, out) || filter_axis_aligned_row(y, x, len, out)) return;
    const GpMatrix& m = src_.pixels_to_source;
    for (int i = 0; i < len; ++i) {
      const double px = x + i + 0.5, py = y + 0.5;
      const double u = m.m11 * px + m.m21 * py + m.dx;
      const double v = m.m12 * px + m.m22 * py + m.dy;
      const ARGB color = mode_ == InterpolationModeNearestNeighbor ? nearest(x + i, y, u, v) : filtered(u, v);
      out[i] = src_.attributes ? src_.attributes->recolor(color) : color;
    }
  }

 private:
  // Source column/row of device pixel i of a span of `extent` pixels starting
  // at `start`, for an axis-aligned stretch; `mirror` counts from the far end.
  struct Axis {
    bool exact = false;
    long long start = 0, extent = 0, src_start = 0, src_extent = 0;
    bool mirror = false;
    long long source(long long device) const {
      const long long offset = platform::display::stretch_source_offset(device - start, extent, src_extent);
      return mirror ? src_start + src_extent - 1 - offset : src_start + offset;
    }
    bool covers(long long device) const { return device >= start && device < start + extent; }
  };

  // The fast path of an axis-aligned nearest-neighbour stretch: a span that
  // lies wholly inside the stretched rectangle reads one source row through
  // the column table, and the colour matrix (when it acts on each channel
  // alone) through per-channel tables. The same pixels as the general path.
  bool copy_stretched_row(int y, int x, int len, ARGB* out) const {
    if (!stretched_span(y, x, len)) return false;
    const INT row = INT(row_.source(y));
    const int32_t* columns = columns_.data() + (x - col_.start);
    const GpBitmap& bitmap = *src_.bitmap;
    if (bitmap.format == PixelFormat32bppARGB) {
      const ARGB* words = reinterpret_cast<const ARGB*>(bitmap.row(row));
      for (int i = 0; i < len; ++i) out[i] = words[columns[i]];
    } else {
      for (int i = 0; i < len; ++i) out[i] = bitmap.get_pixel(columns[i], row);
    }
    recolour(out, len);
    return true;
  }

  // The same span handed to the canvas as a row and a column table, when
  // the colours are the row's words with at most an integer alpha weight.
  bool gather(int y, int x, int len, RowGather& out) const override {
    const int weight = src_.attributes ? alpha_weight_ : 255;
    if (weight < 0 || !stretched_span(y, x, len) || src_.bitmap->format != PixelFormat32bppARGB) return false;
    out.row = reinterpret_cast<const ARGB*>(src_.bitmap->row(INT(row_.source(y))));
    out.width = src_.bitmap->width;
    out.columns = columns_.data() + (x - col_.start);
    out.alpha_weight = uint32_t(weight);
    return true;
  }

  // Whether the span lies wholly inside an exact stretch with a column table.
  bool stretched_span(int y, int x, int len) const {
    return !columns_.empty() && row_.covers(y) && col_.covers(x) && col_.covers(x + (long long)len - 1);
  }

  // The colour matrix over a span: through the channel tables when it allows.
  void recolour(ARGB* out, int len) const {
    if (alpha_weight_ >= 0) {
      scale_alpha(out, len, uint32_t(alpha_weight_));
    } else if (alpha_only_) {
      const ARGB* t = channel_tables_.data();
      for (int i = 0; i < len; ++i) out[i] = (out[i] & 0x00FFFFFF) | t[out[i] >> 24];
    } else if (!channel_tables_.empty()) {
      const ARGB* t = channel_tables_.data();  // alpha, red, green, blue: 256 entries each
      for (int i = 0; i < len; ++i) {
        const ARGB c = out[i];
        out[i] = t[c >> 24] | t[256 + ((c >> 16) & 0xFF)] | t[512 + ((c >> 8) & 0xFF)] | t[768 + (c & 0xFF)];
      }
    } else if (src_.attributes) {
      for (int i = 0; i < len; ++i) out[i] = src_.attributes->recolor(out[i]);
    }
  }

  // Bilinear and bicubic spans of an axis-aligned drawing whose source
  // rectangle lies in the bitmap, without a wrap mode: the row taps are the
  // same for the whole span and are worked out once, edge taps are clamped
  // to the rectangle up front and rows are read directly. The sums are those
  // of filtered(), term by term, so the colours are the same.
  bool filter_axis_aligned_row(int y, int x, int len, ARGB* out) {
    if (!filter_fast_) return false;
    const GpMatrix& m = src_.pixels_to_source;
    const GpRect& r = src_.rect;
    const double py = y + 0.5;
    taps(m.m12 * (x + 0.5) + m.m22 * py + m.dy, row_footprint_, rows_, row_weights_);
    row_words_.clear();
    for (long long& row : rows_) {
      row = std::clamp<long long>(row, r.Y, r.Y + r.Height - 1);
      row_words_.push_back(reinterpret_cast<const ARGB*>(src_.bitmap->row(INT(row))));
    }
    plan_columns(x, len, py);
    const bool direct = src_.bitmap->format == PixelFormat32bppARGB;
    for (int i = 0; i < len; ++i) {
      const ColumnTaps& taps = column_taps_[size_t(x + i - column_base_)];
      cols_.assign(column_index_.begin() + taps.first, column_index_.begin() + taps.first + taps.count);
      col_weights_.assign(column_weight_.begin() + taps.first, column_weight_.begin() + taps.first + taps.count);
      out[i] = direct ? mix_taps([this](size_t c, size_t w) { return row_words_[w][cols_[c]]; })
                      : mix_taps([this](size_t c, size_t w) { return src_.bitmap->get_pixel(INT(cols_[c]), INT(rows_[w])); });
    }
    recolour(out, len);
    return true;
  }

  // The column taps of device columns [x, x + len), clamped to the source
  // rectangle: the same for every row, so made once for the columns drawn.
  void plan_columns(int x, int len, double py) {
    if (x >= column_base_ && (long long)x + len <= column_base_ + (long long)column_taps_.size()) return;
    const long long from = column_taps_.empty() ? x : std::min<long long>(x, column_base_);
    const long long to = column_taps_.empty() ? (long long)x + len
                                              : std::max<long long>((long long)x + len, column_base_ + column_taps_.size());
    const GpMatrix& m = src_.pixels_to_source;
    const GpRect& r = src_.rect;
    column_base_ = from;
    column_taps_.clear();
    column_index_.clear();
    column_weight_.clear();
    for (long long cx = from; cx < to; ++cx) {
      taps(m.m11 * (double(cx) + 0.5) + m.m21 * py + m.dx, col_footprint_, cols_, col_weights_);
      column_taps_.push_back({column_index_.size(), cols_.size()});
      for (size_t k = 0; k < cols_.size(); ++k) {
        column_index_.push_back(std::clamp<long long>(cols_[k], r.X, r.X + r.Width - 1));
        column_weight_.push_back(col_weights_[k]);
      }
    }
  }

  void plan_filter() {
    const GpMatrix& m = src_.pixels_to_source;
    const GpRect& r = src_.rect;
    const GpBitmap& bitmap = *src_.bitmap;
    col_footprint_ = std::hypot(double(m.m11), double(m.m21));
    row_footprint_ = std::hypot(double(m.m12), double(m.m22));
    filter_fast_ = m.keeps_axes() && r.X >= 0 && r.Y >= 0 &&
                   (long long)r.X + r.Width <= (long long)bitmap.width &&
                   (long long)r.Y + r.Height <= (long long)bitmap.height;
    plan_channel_tables();
  }

  // The column table and the channel tables, when the stretch is exact and
  // the source rectangle lies inside the bitmap.
  void plan_fast_path() {
    const GpRect& r = src_.rect;
    const GpBitmap& bitmap = *src_.bitmap;
    if (!col_.exact || !row_.exact || r.X < 0 || r.Y < 0 || (long long)r.X + r.Width > (long long)bitmap.width ||
        (long long)r.Y + r.Height > (long long)bitmap.height || col_.extent > (1 << 26))
      return;
    columns_.resize(size_t(col_.extent));
    for (long long i = 0; i < col_.extent; ++i) columns_[size_t(i)] = int32_t(col_.source(col_.start + i));
    plan_channel_tables();
  }

  // Per-channel tables of the colour matrix, when each channel of its result
  // depends on that channel alone.
  void plan_channel_tables() {
    const GpImageAttributes* a = src_.attributes;
    if (a == nullptr || !a->has_matrix || !a->acts_per_channel()) return;
    // Each output channel depends on its own input alone, so recolouring a
    // colour with that one channel set gives the channel's table entry.
    channel_tables_.resize(4 * 256);
    const int shifts[4] = {24, 16, 8, 0};
    for (int k = 0; k < 4; ++k)
      for (ARGB v = 0; v < 256; ++v)
        channel_tables_[size_t(k) * 256 + v] = a->recolor(v << shifts[k]) & (ARGB(0xFF) << shifts[k]);
    // The usual matrix scales alpha alone: the colour tables are then identities.
    alpha_only_ = true;
    for (int k = 1; k < 4; ++k)
      for (ARGB v = 0; v < 256; ++v) alpha_only_ = alpha_only_ && channel_tables_[size_t(k) * 256 + v] == v << shifts[k];
    // Scaling alpha by w / 255 with rounding is an integer weight: vectorised.
    const uint32_t w = channel_tables_[255] >> 24;
    bool weighted = alpha_only_;
    for (ARGB v = 0; v < 256 && weighted; ++v) weighted = channel_tables_[v] >> 24 == div255round(v * w);
    if (weighted) alpha_weight_ = int(w);
  }

  void plan_stretch() {
    GpMatrix to_pixels = src_.pixels_to_source;
    if (!to_pixels.invert() || !to_pixels.keeps_axes()) return;
    const GpRect& r = src_.rect;
    const GpPointF a = to_pixels.apply(GpPointF{REAL(r.X), REAL(r.Y)});
    const GpPointF b = to_pixels.apply(GpPointF{REAL(r.X + r.Width), REAL(r.Y + r.Height)});
    // The corners come back through two float inversions, so a whole-pixel
    // rectangle may land a rounding error away from its whole coordinates.
    const auto whole = [](REAL v) { return std::fabs(v) < 1e7f && std::fabs(v - std::rint(v)) < 1e-3f; };
    if (!whole(a.X) || !whole(a.Y) || !whole(b.X) || !whole(b.Y)) return;
    plan_axis(col_, std::rint(a.X), std::rint(b.X), r.X, r.Width);
    plan_axis(row_, std::rint(a.Y), std::rint(b.Y), r.Y, r.Height);
    plan_fast_path();
  }

  static void plan_axis(Axis& axis, REAL from, REAL to, INT src_start, INT src_extent) {
    axis.exact = from != to;
    axis.mirror = to < from;
    axis.start = (long long)std::min(from, to);
    axis.extent = (long long)std::fabs(double(to) - from);
    axis.src_start = src_start;
    axis.src_extent = src_extent;
  }

  ARGB nearest(int x, int y, double u, double v) const {
    const long long col = col_.exact && col_.covers(x) ? col_.source(x) : floor_index(u);
    const long long row = row_.exact && row_.covers(y) ? row_.source(y) : floor_index(v);
    return texel(col, row);
  }

  static long long floor_index(double v) { return std::fabs(v) < 4e18 ? (long long)std::floor(v) : 0; }

  // The source pixel (col, row); beyond the source rectangle, its nearest edge pixel.
  ARGB texel(long long col, long long row) const {
    const GpRect& r = src_.rect;
    const bool beyond = col < r.X || col >= r.X + r.Width || row < r.Y || row >= r.Y + r.Height;
    if (beyond) {
      col = std::clamp<long long>(col, r.X, r.X + r.Width - 1);
      row = std::clamp<long long>(row, r.Y, r.Y + r.Height - 1);
    }
    const GpBitmap& bitmap = *src_.bitmap;
    if (col < 0 || row < 0 || col >= bitmap.width || row >= bitmap.height) return 0;
    return bitmap.get_pixel(INT(col), INT(row));
  }

  // The filter's weight at distance t (in filter units).
  double kernel(double t) const {
    t = std::fabs(t);
    if (cubic()) {
      // Catmull-Rom (a = -0.5)
      if (t < 1) return 1.5 * t * t * t - 2.5 * t * t + 1;
      if (t < 2) return -0.5 * t * t * t + 2.5 * t * t - 4 * t + 2;
      return 0;
    }
    return t < 1 ? 1 - t : 0;
  }
  bool cubic() const { return mode_ == InterpolationModeBicubic || mode_ == InterpolationModeHighQualityBicubic; }
  bool widens() const {
    return mode_ == InterpolationModeHighQualityBicubic || mode_ == InterpolationModeHighQualityBilinear;
  }

  // Taps and weights along one axis around source coordinate c (pixel centres at k + 0.5).
  void taps(double c, double footprint, std::vector<long long>& index, std::vector<double>& weight) const {
    index.clear(), weight.clear();
    if (!std::isfinite(c) || std::fabs(c) > 1e15) return;
    const double scale = widens() ? std::max(1.0, footprint) : 1.0;
    const double reach = (cubic() ? 2.0 : 1.0) * scale;
    const double centre = c - 0.5;
    for (long long k = (long long)std::ceil(centre - reach); k <= (long long)std::floor(centre + reach); ++k) {
      const double w = kernel((double(k) - centre) / scale);
      if (w == 0) continue;
      index.push_back(k);
      weight.push_back(w);
    }
  }

  ARGB filtered(double u, double v) {
    const GpMatrix& m = src_.pixels_to_source;
    taps(u, std::hypot(double(m.m11), double(m.m21)), cols_, col_weights_);
    taps(v, std::hypot(double(m.m12), double(m.m22)), rows_, row_weights_);
    return mix_taps([this](size_t i, size_t j) { return texel(cols_[i], rows_[j]); });
  }

  // The weighted mean of the taps in cols_ x rows_ in premultiplied colour;
  // `texel(i, j)` reads the pixel of column tap i and row tap j.
  template <class Texel>
  ARGB mix_taps(const Texel& texel) const {
    double sum[4] = {0, 0, 0, 0}, total = 0;  // premultiplied b, g, r and alpha
    for (size_t j = 0; j < rows_.size(); ++j)
      for (size_t i = 0; i < cols_.size(); ++i) {
        const double w = col_weights_[i] * row_weights_[j];
        const ARGB c = texel(i, j);
        const double a = kAlphaFractions[c >> 24];
        sum[0] += w * a * (c & 0xFF);
        sum[1] += w * a * ((c >> 8) & 0xFF);
        sum[2] += w * a * ((c >> 16) & 0xFF);
        sum[3] += w * a;
        total += w;
      }
    if (!(total > 0)) return 0;
    const double alpha = std::clamp(sum[3] / total, 0.0, 1.0);
    if (alpha <= 0) return 0;
    ARGB out = ARGB(std::lround(alpha * 255)) << 24;
    for (int k = 0; k < 3; ++k)
      out |= ARGB(std::lround(std::clamp(sum[k] / total / alpha, 0.0, 255.0))) << (8 * k);
    return out;
  }

  ImageSource src_;
  InterpolationMode mode_;
  Axis col_, row_;
  std::vector<int32_t> columns_;       // source column of each device column of col_
  std::vector<ARGB> channel_tables_;   // the colour matrix per channel, when it allows
  bool alpha_only_ = false;            // ... and it changes alpha only
  int alpha_weight_ = -1;              // ... by this weight over 255 (-1: not so)
  bool filter_fast_ = false;           // filter_axis_aligned_row applies
  struct ColumnTaps {
    size_t first, count;  // in column_index_ and column_weight_
  };
  long long column_base_ = 0;          // the device column of column_taps_[0]
  std::vector<ColumnTaps> column_taps_;
  std::vector<long long> column_index_;
  std::vector<double> column_weight_;
  double col_footprint_ = 1, row_footprint_ = 1;
  std::vector<const ARGB*> row_words_;  // the rows of rows_
  std::vector<long long> cols_, rows_;
  std::vector<double> col_weights_, row_weights_;
};

}  // namespace

std::unique_ptr<Paint> make_image_paint(const ImageSource& source, InterpolationMode mode) {
  return std::make_unique<ImagePaint>(source, mode);
}

}  // namespace Gdiplus::render
