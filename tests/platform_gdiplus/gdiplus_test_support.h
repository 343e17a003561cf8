// Shared helpers of the GDI+ tests: short forms of the calls that read
// values and matrices, bitmap pixels read and written through LockBits, and
// a check that a list of calls each returned one status.
// Depends on: the GDI+ public header and GoogleTest.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <initializer_list>

#include "platform/gdiplus.h"

namespace gdiplus_test {

using namespace Gdiplus;

// The value a getter reports for `object`, expecting Ok. The value starts as
// a pattern no getter reports, so a getter that writes nothing is caught.
template <typename Object, typename T, typename Given>
T get(GpStatus (*getter)(Object*, T*), Given* object) {
  T value;
  std::memset(static_cast<void*>(&value), 0xA5, sizeof value);
  EXPECT_EQ(getter(object, &value), Ok);
  return value;
}

// Every call in the list (evaluated in order) returned `expected`.
inline void expect_all(std::initializer_list<GpStatus> results, GpStatus expected = InvalidParameter) {
  int index = 0;
  for (GpStatus result : results) EXPECT_EQ(result, expected) << "call " << index++;
}

inline std::array<REAL, 6> elements(const GpMatrix* matrix) {
  std::array<REAL, 6> values{};
  EXPECT_EQ(GdipGetMatrixElements(matrix, values.data()), Ok);
  return values;
}

// One pixel of a bitmap as straight ARGB, read or written through a 1x1 lock.
inline ARGB pixel(GpBitmap* bitmap, INT x, INT y) {
  const GpRect one{x, y, 1, 1};
  BitmapData data{};
  EXPECT_EQ(GdipBitmapLockBits(bitmap, &one, ImageLockModeRead, PixelFormat32bppARGB, &data), Ok);
  const ARGB value = data.Scan0 ? *static_cast<const ARGB*>(data.Scan0) : 0x12345678;
  EXPECT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
  return value;
}
inline void set_pixel(GpBitmap* bitmap, INT x, INT y, ARGB value) {
  const GpRect one{x, y, 1, 1};
  BitmapData data{};
  ASSERT_EQ(GdipBitmapLockBits(bitmap, &one, ImageLockModeWrite, PixelFormat32bppARGB, &data), Ok);
  *static_cast<ARGB*>(data.Scan0) = value;
  ASSERT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
}

}  // namespace gdiplus_test
