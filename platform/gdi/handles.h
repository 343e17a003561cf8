// The registry of live GDI objects. Every handle the GDI hands out is a key
// here, so a stale, foreign or deleted handle is refused instead of being
// dereferenced. Handle values are never reused. Objects are shared: a call in
// progress on one thread keeps an object alive while another deletes it.
// Depends on: gdi32.h types and the standard library. Knows no object kind.
#pragma once

#include <memory>
#include <mutex>
#include <new>
#include <utility>

#include "platform/gdi32.h"

namespace platform::gdi {

struct GdiObject {
  explicit GdiObject(DWORD kind) : type(kind) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  const DWORD type;          // OBJ_PEN, OBJ_BRUSH, OBJ_MEMDC, ...
  HGDIOBJ handle = nullptr;  // set once registered
  bool stock = false;        // stock objects are never deleted nor counted as selected
  int selections = 0;        // DCs this object is selected into (guarded by the registry lock)
};

// Adds `object` and returns its new handle. Throws std::bad_alloc.
HGDIOBJ register_object(std::shared_ptr<GdiObject> object);
std::shared_ptr<GdiObject> find_object(HGDIOBJ handle);

// The registry lock, for changes other threads must see as one step
// (selection counts, deletion). Do not call find_object while holding it.
std::unique_lock<std::mutex> lock_registry();
std::shared_ptr<GdiObject> find_object_locked(HGDIOBJ handle);
// Removes the entry and returns the object, so the caller frees it after unlocking.
std::shared_ptr<GdiObject> unregister_locked(HGDIOBJ handle);

template <class T>
std::shared_ptr<T> object_as(std::shared_ptr<GdiObject> object) {
  return object && T::is_kind(object->type) ? std::static_pointer_cast<T>(std::move(object)) : nullptr;
}

template <class T>
std::shared_ptr<T> find_as(HGDIOBJ handle) {
  return object_as<T>(find_object(handle));
}

// Makes and registers a T; null when memory runs out.
template <class T, class... Args>
HGDIOBJ create_object(Args&&... args) {
  try {
    return register_object(std::make_shared<T>(std::forward<Args>(args)...));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace platform::gdi
