// Reshaping paths in place: widening by a pen, flattening, the perspective
// warp, the outline of the filled area and the matrix transform. Curves are
// divided until they stray less than the flatness (0.25 unless given).
// Depends on: path objects.

#include "graphics/path_internal.h"

using namespace Gdiplus;

namespace frond {
namespace {

constexpr float kDefaultFlatness = 0.25f;

}  // namespace

void frond_path_widen(frond_path* path, float lineWidth, const frond_transform_matrix* matrix) {
  frond_path_widen(path, lineWidth, matrix, kDefaultFlatness);
}

void frond_path_widen(frond_path* path, float lineWidth, const frond_transform_matrix* matrix, float flatness) {
  on_path(path, [&](GpPath* p) {
    GpPen* pen = nullptr;
    Status status = GdipCreatePen1(0xFF000000, lineWidth, UnitWorld, &pen);
    if (status != Ok) return status;
    const scoped_gdip_matrix m(matrix);
    status = GdipWidenPath(p, pen, m.get(), flatness);
    GdipDeletePen(pen);
    return status;
  });
}

void frond_path_flatten(frond_path* path, const frond_transform_matrix* matrix) {
  frond_path_flatten(path, matrix, kDefaultFlatness);
}

void frond_path_flatten(frond_path* path, const frond_transform_matrix* matrix, float flatness) {
  on_path(path, [&](GpPath* p) {
    const scoped_gdip_matrix m(matrix);
    return GdipFlattenPath(p, m.get(), flatness);
  });
}

void frond_path_warp(frond_path* path, const frond_point* points, int count, const frond_rect* rect,
                     const frond_transform_matrix* matrix) {
  frond_path_warp(path, points, count, rect, matrix, kDefaultFlatness);
}

void frond_path_warp(frond_path* path, const frond_point* points, int count, const frond_rect* rect,
                     const frond_transform_matrix* matrix, float flatness) {
  if (points == nullptr || rect == nullptr || (count != 3 && count != 4)) return;
  on_path(path, [&](GpPath* p) {
    const scoped_gdip_matrix m(matrix);
    return GdipWarpPath(p, m.get(), reinterpret_cast<const GpPointF*>(points), count, rect->x, rect->y, rect->w,
                        rect->h, WarpModePerspective, flatness);
  });
}

void frond_path_outline(frond_path* path, const frond_transform_matrix* matrix) {
  frond_path_outline(path, matrix, kDefaultFlatness);
}

void frond_path_outline(frond_path* path, const frond_transform_matrix* matrix, float flatness) {
  on_path(path, [&](GpPath* p) {
    const scoped_gdip_matrix m(matrix);
    return GdipWindingModeOutline(p, m.get(), flatness);
  });
}

void frond_path_transform(frond_path* path, const frond_transform_matrix* matrix) {
  on_path(path, [&](GpPath* p) {
    const scoped_gdip_matrix m(matrix);
    return GdipTransformPath(p, m.get());
  });
}

}  // namespace frond
