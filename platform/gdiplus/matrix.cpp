// Matrix objects: the affine maths of GpMatrix (products, inversion, the
// order of composed operations) and the flat Gdip*Matrix calls.
// Depends on: status helpers only. Knows nothing of graphics or paths.
#include "gdiplus/matrix.h"

#include <cmath>

#include "gdiplus/status.h"

namespace Gdiplus {

GpMatrix GpMatrix::rotation(REAL degrees) {
  const REAL radians = degrees * (3.14159265358979323846f / 180.0f);
  const REAL c = std::cos(radians);
  const REAL s = std::sin(radians);
  return GpMatrix(c, s, -s, c, 0, 0);
}

GpMatrix GpMatrix::product(const GpMatrix& a, const GpMatrix& b) {
  return GpMatrix(a.m11 * b.m11 + a.m12 * b.m21, a.m11 * b.m12 + a.m12 * b.m22,
                  a.m21 * b.m11 + a.m22 * b.m21, a.m21 * b.m12 + a.m22 * b.m22,
                  a.dx * b.m11 + a.dy * b.m21 + b.dx, a.dx * b.m12 + a.dy * b.m22 + b.dy);
}

void GpMatrix::combine(const GpMatrix& op, MatrixOrder order) {
  *this = order == MatrixOrderPrepend ? product(op, *this) : product(*this, op);
}

bool GpMatrix::invertible() const {
  const REAL det = determinant();
  return det != 0 && std::isfinite(det);
}

bool GpMatrix::invert() {
  if (!invertible()) return false;
  const REAL det = determinant();
  *this = GpMatrix(m22 / det, -m12 / det, -m21 / det, m11 / det, (m21 * dy - m22 * dx) / det,
                   (m12 * dx - m11 * dy) / det);
  return true;
}

bool GpMatrix::is_identity() const {
  return m11 == 1 && m12 == 0 && m21 == 0 && m22 == 1 && dx == 0 && dy == 0;
}

namespace {

// Applies `op` to `matrix` in `order` after checking both.
GpStatus combine_checked(GpMatrix* matrix, const GpMatrix& op, MatrixOrder order) {
  if (matrix == nullptr || !detail::valid_order(order)) return InvalidParameter;
  matrix->combine(op, order);
  return Ok;
}

}  // namespace

GpStatus GdipCreateMatrix(GpMatrix** matrix) {
  return GdipCreateMatrix2(1, 0, 0, 1, 0, 0, matrix);
}

GpStatus GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** matrix) {
  if (matrix == nullptr) return InvalidParameter;
  return detail::guard_allocation([&] {
    *matrix = new GpMatrix(m11, m12, m21, m22, dx, dy);
    return Ok;
  });
}

GpStatus GdipCloneMatrix(GpMatrix* matrix, GpMatrix** clone) {
  if (detail::any_null(matrix, clone)) return InvalidParameter;
  return detail::guard_allocation([&] {
    *clone = new GpMatrix(*matrix);
    return Ok;
  });
}

GpStatus GdipDeleteMatrix(GpMatrix* matrix) {
  if (matrix == nullptr) return InvalidParameter;
  delete matrix;
  return Ok;
}

GpStatus GdipSetMatrixElements(GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
  if (matrix == nullptr) return InvalidParameter;
  *matrix = GpMatrix(m11, m12, m21, m22, dx, dy);
  return Ok;
}

GpStatus GdipGetMatrixElements(const GpMatrix* matrix, REAL* elements) {
  if (detail::any_null(matrix, elements)) return InvalidParameter;
  const REAL values[6] = {matrix->m11, matrix->m12, matrix->m21, matrix->m22, matrix->dx, matrix->dy};
  for (int i = 0; i < 6; ++i) elements[i] = values[i];
  return Ok;
}

GpStatus GdipMultiplyMatrix(GpMatrix* matrix, GpMatrix* other, MatrixOrder order) {
  if (other == nullptr) return InvalidParameter;
  return combine_checked(matrix, *other, order);
}

GpStatus GdipTranslateMatrix(GpMatrix* matrix, REAL dx, REAL dy, MatrixOrder order) {
  return combine_checked(matrix, GpMatrix::translation(dx, dy), order);
}

GpStatus GdipScaleMatrix(GpMatrix* matrix, REAL sx, REAL sy, MatrixOrder order) {
  return combine_checked(matrix, GpMatrix::scaling(sx, sy), order);
}

GpStatus GdipRotateMatrix(GpMatrix* matrix, REAL angle, MatrixOrder order) {
  return combine_checked(matrix, GpMatrix::rotation(angle), order);
}

GpStatus GdipInvertMatrix(GpMatrix* matrix) {
  if (matrix == nullptr) return InvalidParameter;
  return matrix->invert() ? Ok : InvalidParameter;
}

GpStatus GdipIsMatrixInvertible(const GpMatrix* matrix, BOOL* result) {
  if (detail::any_null(matrix, result)) return InvalidParameter;
  *result = matrix->invertible() ? TRUE : FALSE;
  return Ok;
}

GpStatus GdipIsMatrixIdentity(const GpMatrix* matrix, BOOL* result) {
  if (detail::any_null(matrix, result)) return InvalidParameter;
  *result = matrix->is_identity() ? TRUE : FALSE;
  return Ok;
}

GpStatus GdipTransformMatrixPoints(GpMatrix* matrix, GpPointF* points, INT count) {
  if (detail::any_null(matrix, points) || count <= 0) return InvalidParameter;
  for (INT i = 0; i < count; ++i) points[i] = matrix->apply(points[i]);
  return Ok;
}

}  // namespace Gdiplus
