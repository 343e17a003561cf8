// Questions about paths: hit tests (in world coordinates, or in an image's
// pixels through its world transform), the last point, the point count,
// bounds, and the points and types themselves. Images are resolved without
// counting a change.
// Depends on: state (selectors), images (GDI+ graphics and pen), path objects.

#include <algorithm>
#include <new>
#include <vector>

#include "graphics/path_internal.h"
#include "graphics/state.h"

using namespace Gdiplus;

namespace frond {
namespace {

// The image of a query: resolved without counting; null when it has no device context.
IMAGE* query_image(IMAGE* img) {
  IMAGE* image = resolve_image(img);
  return image != nullptr && image->dc != nullptr ? image : nullptr;
}

template <typename Test>
bool hit_test(const frond_path* path, Test test) {
  BOOL result = FALSE;
  on_path(path, [&](GpPath* p) { return test(p, &result); });
  return result == TRUE;
}

bool outline_hit(const frond_path* path, float x, float y, GpPen* pen, GpGraphics* graphics) {
  return hit_test(path, [&](GpPath* p, BOOL* result) { return GdipIsOutlineVisiblePathPoint(p, x, y, pen, graphics, result); });
}

frond_rect bounds(const frond_path* path, const frond_transform_matrix* matrix, const GpPen* pen) {
  GpRectF rect{0, 0, 0, 0};
  on_path(path, [&](GpPath* p) {
    const scoped_gdip_matrix m(matrix);
    const Status status = GdipGetPathWorldBounds(p, &rect, m.get(), pen);
    if (status != Ok) rect = GpRectF{0, 0, 0, 0};
    return status;
  });
  return frond_rect{rect.X, rect.Y, rect.Width, rect.Height};
}

// Fills `buffer` (room for `capacity` items) from `read(path, array, count)`,
// which reads all of the path's items: directly when they fit, else through
// a copy of which the first `capacity` items are kept. A null `buffer` is
// allocated for every item. Returns the buffer (null for no path or no memory).
template <typename T, typename Read>
T* read_items(const frond_path* path, T* buffer, int capacity, Read read) {
  gdip_holder<GpPath>* holder = live_holder(path);
  if (holder == nullptr) return nullptr;
  INT count = 0;
  if (holder->record(GdipGetPointCount(holder->object, &count)) != Ok) count = 0;
  if (buffer == nullptr) {
    if (count < 0) return nullptr;
    buffer = new (std::nothrow) T[size_t(count)];
    if (buffer == nullptr) return nullptr;
    capacity = count;
  }
  if (capacity >= count) {
    holder->record(read(holder->object, buffer, count));
    return buffer;
  }
  if (capacity <= 0) return buffer;
  std::vector<T> all(static_cast<size_t>(count));
  if (holder->record(read(holder->object, all.data(), count)) == Ok) std::copy_n(all.begin(), capacity, buffer);
  return buffer;
}

GpStatus read_points(GpPath* path, frond_point* points, INT count) {
  return GdipGetPathPoints(path, reinterpret_cast<GpPointF*>(points), count);
}

}  // namespace

bool frond_path_inpath(const frond_path* path, float x, float y) {
  return hit_test(path, [&](GpPath* p, BOOL* result) { return GdipIsVisiblePathPoint(p, x, y, nullptr, result); });
}

bool frond_path_inpath(const frond_path* path, float x, float y, IMAGE* img) {
  IMAGE* image = query_image(img);
  if (image == nullptr) return false;
  GpGraphics* graphics = image->gdip_graphics();
  return hit_test(path, [&](GpPath* p, BOOL* result) { return GdipIsVisiblePathPoint(p, x, y, graphics, result); });
}

bool frond_path_inoutline(const frond_path* path, float x, float y) {
  if (live_holder(path) == nullptr) return false;
  GpPen* pen = nullptr;
  if (GdipCreatePen1(0xFF000000, 1.0f, UnitWorld, &pen) != Ok) return false;
  const bool hit = outline_hit(path, x, y, pen, nullptr);
  GdipDeletePen(pen);
  return hit;
}

bool frond_path_inoutline(const frond_path* path, float x, float y, IMAGE* img) {
  IMAGE* image = query_image(img);
  if (image == nullptr) return false;
  return outline_hit(path, x, y, image->gdip_pen(), image->gdip_graphics());
}

frond_point frond_path_lastpoint(const frond_path* path) {
  GpPointF last{0, 0};
  on_path(path, [&](GpPath* p) {
    const Status status = GdipGetPathLastPoint(p, &last);
    if (status != Ok) last = GpPointF{0, 0};
    return status;
  });
  return frond_point{last.X, last.Y};
}

int frond_path_pointcount(const frond_path* path) {
  INT count = 0;
  on_path(path, [&](GpPath* p) { return GdipGetPointCount(p, &count); });
  return count;
}

frond_rect frond_path_getbounds(const frond_path* path, const frond_transform_matrix* matrix) {
  return bounds(path, matrix, nullptr);
}

frond_rect frond_path_getbounds(const frond_path* path, const frond_transform_matrix* matrix, IMAGE* img) {
  IMAGE* image = resolve_image(img);
  if (image == nullptr) return frond_rect{0, 0, 0, 0};
  return bounds(path, matrix, image->gdip_pen());
}

frond_point* frond_path_getpoints(const frond_path* path) { return read_items<frond_point>(path, nullptr, 0, read_points); }

uint8_t* frond_path_gettypes(const frond_path* path) { return read_items<uint8_t>(path, nullptr, 0, GdipGetPathTypes); }

frond_point* frond_path_getpoints(const frond_path* path, frond_point* points, int capacity) {
  return points != nullptr ? read_items(path, points, capacity, read_points) : nullptr;
}

uint8_t* frond_path_gettypes(const frond_path* path, uint8_t* types, int capacity) {
  return types != nullptr ? read_items(path, types, capacity, GdipGetPathTypes) : nullptr;
}

}  // namespace frond
