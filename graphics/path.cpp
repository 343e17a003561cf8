// frond_path objects: their life (GDI+ holder from GdipAlloc, copies by
// cloning), their figures and fill mode, and the shapes added to them. Each
// operation is one GDI+ call on the path; a failure stays in the holder.
// Depends on: images (GDI+ start-up). Drawing, geometry, queries and text
// live in path_*.cpp.

#include <new>

#include "graphics/internal.h"
#include "graphics/path_internal.h"

using namespace Gdiplus;

namespace frond {
namespace {

using path_holder = gdip_holder<GpPath>;

// The GDI polygon fill mode WINDING, which selects non-zero winding.
constexpr int kWindingFillMode = 2;

// A holder from GDI+'s allocator (null when memory runs out).
path_holder* new_holder() {
  void* memory = GdipAlloc(sizeof(path_holder));
  return memory != nullptr ? new (memory) path_holder() : nullptr;
}

void free_holder(path_holder* holder) {
  if (holder == nullptr) return;
  if (holder->object != nullptr) GdipDeletePath(holder->object);
  holder->~path_holder();
  GdipFree(holder);
}

}  // namespace

frond_path::frond_path() : holder_(nullptr) {
  gdiplus_start();
  holder_ = new_holder();
  if (holder_ != nullptr) holder_->record(GdipCreatePath(FillModeAlternate, &holder_->object));
}

frond_path::frond_path(const frond_point* points, const uint8_t* types, int count) : holder_(nullptr) {
  gdiplus_start();
  holder_ = new_holder();
  if (holder_ == nullptr) return;
  static_assert(sizeof(frond_point) == sizeof(GpPointF), "frond_point has GDI+'s point layout");
  holder_->record(
      GdipCreatePath2(reinterpret_cast<const GpPointF*>(points), types, count, FillModeAlternate, &holder_->object));
}

frond_path::frond_path(const frond_path& other) : holder_(nullptr) { copy_from(other); }

frond_path& frond_path::operator=(const frond_path& other) {
  if (this == &other) return *this;
  release();
  copy_from(other);
  return *this;
}

frond_path::~frond_path() { release(); }

void frond_path::release() {
  free_holder(holder_);
  holder_ = nullptr;
}

void frond_path::copy_from(const frond_path& other) {
  path_holder* source = other.holder_;
  if (source == nullptr) return;
  GpPath* clone = nullptr;
  const Status status = source->record(GdipClonePath(source->object, &clone));
  if (status != Ok) return;
  holder_ = new_holder();
  if (holder_ == nullptr) {
    GdipDeletePath(clone);
    source->record(OutOfMemory);
    return;
  }
  holder_->object = clone;
  holder_->last_status = source->last_status;
}

frond_path* frond_path_create() { return new (std::nothrow) frond_path(); }

frond_path* frond_path_createfrom(const frond_point* points, const uint8_t* types, int count) {
  return new (std::nothrow) frond_path(points, types, count);
}

frond_path* frond_path_clone(const frond_path* path) {
  return path != nullptr ? new (std::nothrow) frond_path(*path) : nullptr;
}

void frond_path_destroy(const frond_path* path) { delete path; }

scoped_gdip_matrix::scoped_gdip_matrix(const frond_transform_matrix* m) {
  if (m != nullptr) GdipCreateMatrix2(m->m11, m->m12, m->m21, m->m22, m->dx, m->dy, &matrix_);
}

scoped_gdip_matrix::~scoped_gdip_matrix() {
  if (matrix_ != nullptr) GdipDeleteMatrix(matrix_);
}

// ---- figures and state ----

void frond_path_startfigure(frond_path* path) { on_path(path, GdipStartPathFigure); }
void frond_path_closefigure(frond_path* path) { on_path(path, GdipClosePathFigure); }
void frond_path_closeallfigures(frond_path* path) { on_path(path, GdipClosePathFigures); }
void frond_path_reset(frond_path* path) { on_path(path, GdipResetPath); }
void frond_path_reverse(frond_path* path) { on_path(path, GdipReversePath); }

void frond_path_setfillmode(frond_path* path, int mode) {
  on_path(path, [mode](GpPath* p) { return GdipSetPathFillMode(p, mode == kWindingFillMode ? FillModeWinding : FillModeAlternate); });
}

// ---- adding figures ----

namespace {

const GpPointF* gdip_points(const frond_point* points) { return reinterpret_cast<const GpPointF*>(points); }

}  // namespace

void frond_path_addpath(frond_path* path, const frond_path* other, bool connect) {
  const path_holder* added = live_holder(other);
  if (added == nullptr) return;
  on_path(path, [&](GpPath* p) { return GdipAddPathPath(p, added->object, connect ? TRUE : FALSE); });
}

void frond_path_addline(frond_path* path, float x1, float y1, float x2, float y2) {
  on_path(path, [=](GpPath* p) { return GdipAddPathLine(p, x1, y1, x2, y2); });
}

void frond_path_addarc(frond_path* path, float x, float y, float w, float h, float startAngle, float sweepAngle) {
  on_path(path, [=](GpPath* p) { return GdipAddPathArc(p, x, y, w, h, startAngle, sweepAngle); });
}

void frond_path_addpolyline(frond_path* path, int numPoints, const frond_point* points) {
  on_path(path, [=](GpPath* p) { return GdipAddPathLine2(p, gdip_points(points), numPoints); });
}

void frond_path_addbezier(frond_path* path, int numPoints, const frond_point* points) {
  on_path(path, [=](GpPath* p) { return GdipAddPathBeziers(p, gdip_points(points), numPoints); });
}

void frond_path_addbezier(frond_path* path, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                          float y4) {
  on_path(path, [=](GpPath* p) { return GdipAddPathBezier(p, x1, y1, x2, y2, x3, y3, x4, y4); });
}

void frond_path_addcurve(frond_path* path, int numPoints, const frond_point* points) {
  on_path(path, [=](GpPath* p) { return GdipAddPathCurve(p, gdip_points(points), numPoints); });
}

void frond_path_addcurve(frond_path* path, int numPoints, const frond_point* points, float tension) {
  on_path(path, [=](GpPath* p) { return GdipAddPathCurve2(p, gdip_points(points), numPoints, tension); });
}

void frond_path_addcircle(frond_path* path, float x, float y, float radius) {
  frond_path_addellipse(path, x - radius, y - radius, 2 * radius, 2 * radius);
}

void frond_path_addrect(frond_path* path, float x, float y, float w, float h) {
  on_path(path, [=](GpPath* p) { return GdipAddPathRectangle(p, x, y, w, h); });
}

void frond_path_addellipse(frond_path* path, float x, float y, float w, float h) {
  on_path(path, [=](GpPath* p) { return GdipAddPathEllipse(p, x, y, w, h); });
}

void frond_path_addpie(frond_path* path, float x, float y, float w, float h, float startAngle, float sweepAngle) {
  on_path(path, [=](GpPath* p) { return GdipAddPathPie(p, x, y, w, h, startAngle, sweepAngle); });
}

void frond_path_addpolygon(frond_path* path, int numPoints, const frond_point* points) {
  on_path(path, [=](GpPath* p) { return GdipAddPathPolygon(p, gdip_points(points), numPoints); });
}

void frond_path_addclosedcurve(frond_path* path, int numPoints, const frond_point* points) {
  on_path(path, [=](GpPath* p) { return GdipAddPathClosedCurve(p, gdip_points(points), numPoints); });
}

void frond_path_addclosedcurve(frond_path* path, int numPoints, const frond_point* points, float tension) {
  on_path(path, [=](GpPath* p) { return GdipAddPathClosedCurve2(p, gdip_points(points), numPoints, tension); });
}

}  // namespace frond
