// LoadLibrary, GetProcAddress and FreeLibrary over the table of our own
// run-time libraries, with reference-counted modules, and the test seam that
// makes a library or one of its entries look missing.
// Depends on: exports.h, kernel32 (last error), test_seams. Loads no files from disk.
//
// Names match case-insensitively, with or without ".dll"; a module handle is
// the address of its library's record.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "platform/kernel32.h"
#include "platform/test_seams.h"
#include "syslibs/exports.h"

namespace platform::syslibs {
namespace {

struct Library {
  const char* key;  // lower case, without ".dll"
  ExportTable (*exports)();
  int references;
};

struct LibraryTable {
  std::mutex mutex;
  Library libraries[4] = {
      {"imm32", imm32_exports, 0},
      {"msimg32", msimg32_exports, 0},
      {"winmm", winmm_exports, 0},
      {"ole32", ole32_exports, 0},
  };
  std::set<std::string> missing_libraries;
  std::set<std::pair<std::string, std::string>> missing_entries;
};

LibraryTable& table() {
  static LibraryTable* instance = new LibraryTable;
  return *instance;
}

std::string library_key(const char* name) {
  std::string key(name);
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
  const std::string suffix = ".dll";
  if (key.size() > suffix.size() && key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0) {
    key.resize(key.size() - suffix.size());
  }
  return key;
}

// The loaded library behind `module`, or null (with the last error set).
Library* loaded_library(LibraryTable& t, HMODULE module) {
  for (Library& library : t.libraries) {
    if (reinterpret_cast<HMODULE>(&library) == module && library.references > 0) return &library;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

}  // namespace
}  // namespace platform::syslibs

HMODULE LoadLibraryA(LPCSTR name) {
  if (name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto& t = platform::syslibs::table();
  const std::string key = platform::syslibs::library_key(name);
  std::lock_guard<std::mutex> lock(t.mutex);
  if (t.missing_libraries.count(key) == 0) {
    for (auto& library : t.libraries) {
      if (key == library.key) {
        ++library.references;
        return reinterpret_cast<HMODULE>(&library);
      }
    }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

// Entries are found by name only; ordinals are not supported.
FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  auto& t = platform::syslibs::table();
  std::lock_guard<std::mutex> lock(t.mutex);
  const auto* library = platform::syslibs::loaded_library(t, module);
  if (library == nullptr) return nullptr;
  if (name != nullptr && reinterpret_cast<uintptr_t>(name) >= 0x10000 &&
      t.missing_entries.count({library->key, name}) == 0) {
    const platform::syslibs::ExportTable exports = library->exports();
    for (size_t i = 0; i < exports.count; ++i) {
      if (std::strcmp(exports.entries[i].name, name) == 0) return exports.entries[i].address;
    }
  }
  SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
  auto& t = platform::syslibs::table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto* library = platform::syslibs::loaded_library(t, module);
  if (library == nullptr) return FALSE;
  --library->references;
  return TRUE;
}

namespace platform_test {

void mark_library_missing(const char* library) {
  auto& t = platform::syslibs::table();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.missing_libraries.insert(platform::syslibs::library_key(library));
}

void mark_entry_missing(const char* library, const char* entry) {
  auto& t = platform::syslibs::table();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.missing_entries.insert({platform::syslibs::library_key(library), entry});
}

void reset_missing_libraries() {
  auto& t = platform::syslibs::table();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.missing_libraries.clear();
  t.missing_entries.clear();
}

}  // namespace platform_test
