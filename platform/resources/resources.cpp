// FindResourceW and friends over the resource tables linked into the
// program. A resource handle is the address of its table entry; a loaded
// resource is the address of its bytes, which never move.
// Depends on: GetModuleHandleW (the program's own module). Reads no files.
#include <cwctype>
#include <mutex>

#include "platform/kernel32.h"
#include "platform/resources.h"

namespace platform {
namespace {

struct registry {
  std::mutex mutex;
  resource_table* first = nullptr;
};

// Made on first use: tables register during static initialisation.
registry& tables() {
  static registry* instance = new registry;
  return *instance;
}

// An integer identifier matches only the same identifier; strings match
// without regard to case.
bool same_id(LPCWSTR wanted, LPCWSTR have) {
  if (IS_INTRESOURCE(wanted) || IS_INTRESOURCE(have)) return wanted == have;
  for (; *wanted != L'\0' && *have != L'\0'; ++wanted, ++have)
    if (std::towupper(wint_t(*wanted)) != std::towupper(wint_t(*have))) return false;
  return *wanted == *have;
}

bool own_module(HMODULE module) { return module == nullptr || module == GetModuleHandleW(nullptr); }

}  // namespace

resource_table::resource_table(const resource_entry* entries_, size_t count_) : entries(entries_), count(count_) {
  registry& r = tables();
  std::lock_guard<std::mutex> guard(r.mutex);
  next = r.first;
  r.first = this;
}

resource_table::~resource_table() {
  registry& r = tables();
  std::lock_guard<std::mutex> guard(r.mutex);
  for (resource_table** link = &r.first; *link != nullptr; link = &(*link)->next)
    if (*link == this) {
      *link = next;
      break;
    }
}

}  // namespace platform

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  if (name == nullptr || type == nullptr || !platform::own_module(module)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  platform::registry& r = platform::tables();
  std::lock_guard<std::mutex> guard(r.mutex);
  bool type_seen = false;
  for (const platform::resource_table* table = r.first; table != nullptr; table = table->next)
    for (size_t i = 0; i < table->count; ++i) {
      const platform::resource_entry& entry = table->entries[i];
      if (!platform::same_id(type, entry.type)) continue;
      type_seen = true;
      if (platform::same_id(name, entry.name))
        return reinterpret_cast<HRSRC>(const_cast<platform::resource_entry*>(&entry));
    }
  SetLastError(type_seen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  if (resource == nullptr || !platform::own_module(module)) return nullptr;
  return const_cast<void*>(reinterpret_cast<const platform::resource_entry*>(resource)->data);
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  if (resource == nullptr || !platform::own_module(module)) return 0;
  return reinterpret_cast<const platform::resource_entry*>(resource)->size;
}

LPVOID LockResource(HGLOBAL resource) { return resource; }
