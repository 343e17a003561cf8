// Matrix objects: the affine maths of GpMatrix (products, inversion, the
// order of composed operations) and the flat calls that make, read and
// delete matrices.
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

GpStatus GdipDeleteMatrix(GpMatrix* matrix) {
  if (matrix == nullptr) return InvalidParameter;
  delete matrix;
  return Ok;
}

GpStatus GdipGetMatrixElements(const GpMatrix* matrix, REAL* elements) {
  if (detail::any_null(matrix, elements)) return InvalidParameter;
  const REAL values[6] = {matrix->m11, matrix->m12, matrix->m21, matrix->m22, matrix->dx, matrix->dy};
  for (int i = 0; i < 6; ++i) elements[i] = values[i];
  return Ok;
}

}  // namespace Gdiplus
