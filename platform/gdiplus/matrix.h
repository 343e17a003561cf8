// GpMatrix: a 3x2 affine matrix in GDI+'s row-vector convention: a point
// (x, y) maps to (m11 x + m21 y + dx, m12 x + m22 y + dy). All arithmetic is
// single precision, as in GDI+.
// Depends on: gdiplus.h. No perspective; nothing in double precision.
#pragma once

#include "platform/gdiplus.h"

namespace Gdiplus {

class GpMatrix {
 public:
  REAL m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

  GpMatrix() = default;
  GpMatrix(REAL m11_, REAL m12_, REAL m21_, REAL m22_, REAL dx_, REAL dy_)
      : m11(m11_), m12(m12_), m21(m21_), m22(m22_), dx(dx_), dy(dy_) {}

  static GpMatrix translation(REAL x, REAL y) { return GpMatrix(1, 0, 0, 1, x, y); }
  static GpMatrix scaling(REAL sx, REAL sy) { return GpMatrix(sx, 0, 0, sy, 0, 0); }
  // Clockwise on screen (y grows downwards) for positive degrees.
  static GpMatrix rotation(REAL degrees);

  // `first` applied to a point, then `second`.
  static GpMatrix product(const GpMatrix& first, const GpMatrix& second);
  // Prepend: `op` applies to points before this matrix; Append: after it.
  void combine(const GpMatrix& op, MatrixOrder order);

  REAL determinant() const { return m11 * m22 - m12 * m21; }
  bool invertible() const;
  // Replaces the matrix by its inverse; false (and unchanged) when singular.
  bool invert();
  // True when the axes stay axis-aligned (no rotation or shear).
  bool keeps_axes() const { return m12 == 0 && m21 == 0; }

  GpPointF apply(GpPointF point) const {
    return GpPointF{m11 * point.X + m21 * point.Y + dx, m12 * point.X + m22 * point.Y + dy};
  }
};

namespace detail {
inline bool valid_order(MatrixOrder order) { return order == MatrixOrderPrepend || order == MatrixOrderAppend; }
}  // namespace detail

}  // namespace Gdiplus
