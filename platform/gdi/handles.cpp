// Handle registry: one mutex-guarded map from handle value to object. The map
// is made on first use and never destroyed, so handles stay checkable during
// static initialisation and destruction of other code.
// Depends on: test_seams (the live object count). Knows nothing of what the objects are.
#include "gdi/handles.h"
#include "platform/test_seams.h"

#include <cstdint>
#include <unordered_map>

namespace platform::gdi {
namespace {

struct Registry {
  std::mutex mutex;
  std::unordered_map<uintptr_t, std::shared_ptr<GdiObject>> live;
  uintptr_t next = 0x10000;  // handle values step by 16 and never repeat
};

Registry& registry() {
  static Registry* const instance = new Registry;
  return *instance;
}

}  // namespace

HGDIOBJ register_object(std::shared_ptr<GdiObject> object) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  const uintptr_t value = r.next;
  object->handle = reinterpret_cast<HGDIOBJ>(value);
  r.live.emplace(value, std::move(object));
  r.next += 16;
  return reinterpret_cast<HGDIOBJ>(value);
}

std::unique_lock<std::mutex> lock_registry() { return std::unique_lock<std::mutex>(registry().mutex); }

std::shared_ptr<GdiObject> find_object_locked(HGDIOBJ handle) {
  const auto& live = registry().live;
  const auto it = live.find(reinterpret_cast<uintptr_t>(handle));
  return it == live.end() ? nullptr : it->second;
}

std::shared_ptr<GdiObject> find_object(HGDIOBJ handle) {
  if (!handle) return nullptr;
  std::lock_guard<std::mutex> lock(registry().mutex);
  return find_object_locked(handle);
}

std::shared_ptr<GdiObject> unregister_locked(HGDIOBJ handle) {
  auto& live = registry().live;
  const auto it = live.find(reinterpret_cast<uintptr_t>(handle));
  if (it == live.end()) return nullptr;
  std::shared_ptr<GdiObject> object = std::move(it->second);
  live.erase(it);
  return object;
}

}  // namespace platform::gdi

namespace platform_test {
size_t gdi_object_count() {
  std::lock_guard<std::mutex> lock(platform::gdi::registry().mutex);
  return platform::gdi::registry().live.size();
}
}  // namespace platform_test
