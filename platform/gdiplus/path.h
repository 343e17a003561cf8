// GpPath: figures of lines and cubic Bezier curves, as GDI+ keeps them (a
// point list with a type byte per point). Arcs, ellipses and cardinal
// splines are stored as Bezier curves. Figures added by the open-shape calls
// (lines, Beziers, arcs, curves) continue the current figure until it is
// closed or a new one is started; closed shapes are figures of their own.
// Depends on: matrix, raster. Draws nothing.
#pragma once

#include <cmath>
#include <vector>

#include "gdiplus/matrix.h"
#include "gdiplus/raster.h"
#include "platform/gdiplus.h"

namespace Gdiplus {

class GpPath {
 public:
  explicit GpPath(FillMode mode) : fill_mode(mode) {}

  void start_figure() { new_figure_ = true; }
  void close_figure();
  void close_all_figures();
  void reset();
  // Replaces the figures by points with their types (already checked); a
  // later open piece continues the last figure unless it is closed.
  void assign(const GpPointF* points, const BYTE* types, size_t count);
  // The points in reverse order, figure by figure from the last; each
  // segment keeps its kind, each figure its closing.
  void reverse();

  // Open pieces, continuing the current figure.
  void add_lines(const GpPointF* points, size_t count);
  void add_beziers(const GpPointF* points, size_t count);  // 1 + 3k points
  void add_arc(REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep);
  void add_curve(const GpPointF* points, size_t count, REAL tension);
  // Closed figures.
  void add_polygon(const GpPointF* points, size_t count);
  void add_rectangle(const GpRectF& rect);
  void add_ellipse(REAL x, REAL y, REAL width, REAL height);
  void add_pie(REAL x, REAL y, REAL width, REAL height, REAL start, REAL sweep);
  void add_closed_curve(const GpPointF* points, size_t count, REAL tension);
  // The figures of `other`; with `connect` its first figure continues the current one.
  void add_path(const GpPath& other, bool connect);

  void transform(const GpMatrix& matrix);
  // Replaces the figures by polygonal ones, each closed where `closed` says;
  // the fill mode stays.
  void replace_figures(const std::vector<render::Contour>& contours, const std::vector<bool>& closed);

  // The figures as polygonal lines mapped by `matrix`; curves are divided
  // until they stray less than `tolerance` (in mapped units) from the lines.
  // `closed` (may be null) receives whether each figure is closed.
  std::vector<render::Contour> flatten(const GpMatrix& matrix, double tolerance, std::vector<bool>* closed) const;

  std::vector<GpPointF> points;
  std::vector<BYTE> types;
  FillMode fill_mode;

 private:
  // Appends `point` with `type`, starting a figure first when one is due.
  void append(const GpPointF& point, BYTE type);
  void close_last();

  bool new_figure_ = true;
};

namespace detail {
// The GDI+ default tension of cardinal splines.
constexpr REAL kDefaultTension = 0.5f;
// The curve tolerance of flattening, in device pixels.
constexpr double kFlatness = 0.25;
// True when `types` form figures: each starts with a start point, its other
// points are lines or Beziers in threes, and no unknown flag is set.
bool valid_types(const BYTE* types, size_t count);
inline bool valid_flatness(REAL flatness) { return flatness > 0 && flatness < HUGE_VALF; }
// Integer points as float points.
std::vector<GpPointF> to_float(const GpPoint* points, INT count);
}  // namespace detail

}  // namespace Gdiplus
