// The steps every path operation shares: reaching a path's GDI+ object,
// recording a failing status in its holder, and GDI+ matrices made from the
// library's six-float matrices. Internal to the library.
// Depends on: frond.h, GDI+ paths and matrices. Draws nothing.
#pragma once

#include "graphics/frond.h"

namespace frond {

// The holder of a path that has a GDI+ path; null for a null path, a path
// without holder, or a holder without path.
inline gdip_holder<Gdiplus::GpPath>* live_holder(const frond_path* path) {
  if (path == nullptr) return nullptr;
  gdip_holder<Gdiplus::GpPath>* holder = const_cast<frond_path*>(path)->data();
  return holder != nullptr && holder->object != nullptr ? holder : nullptr;
}

// Runs `call(gdiplus_path)` and records a failing status; nothing without a live path.
template <typename Call>
void on_path(const frond_path* path, Call call) {
  if (gdip_holder<Gdiplus::GpPath>* holder = live_holder(path)) holder->record(call(holder->object));
}

// A GDI+ matrix with the elements of `matrix` for the length of one call;
// get() is null when `matrix` is null (or the matrix could not be made).
class scoped_gdip_matrix {
 public:
  explicit scoped_gdip_matrix(const frond_transform_matrix* matrix);
  ~scoped_gdip_matrix();
  scoped_gdip_matrix(const scoped_gdip_matrix&) = delete;
  scoped_gdip_matrix& operator=(const scoped_gdip_matrix&) = delete;
  Gdiplus::GpMatrix* get() const { return matrix_; }

 private:
  Gdiplus::GpMatrix* matrix_ = nullptr;
};

}  // namespace frond
