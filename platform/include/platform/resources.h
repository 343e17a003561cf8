// Program resources: named blocks of read-only data linked into the program.
// Tables of resources are linked in by the build (a source file defining a
// platform::resource_table at namespace scope); FindResource searches every
// table of the program. Names and types are strings, matched without regard
// to case as on Windows, or integer identifiers made with MAKEINTRESOURCE.
// Depends on: wintypes.h; implemented in platform/resources/. Reads no files: only tables linked into
// the program are searched.
#pragma once

#include <cstddef>

#include "platform/wintypes.h"

// Also defined by windowing.h, identically.
#ifndef IS_INTRESOURCE
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define MAKEINTRESOURCEW(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#endif
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814

// `module` is the program's own (GetModuleHandle(NULL)) or null for it.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// The address of a loaded resource's bytes; they stay valid for the process.
LPVOID LockResource(HGLOBAL resource);

namespace platform {

struct resource_entry {
  LPCWSTR type;
  LPCWSTR name;
  const void* data;
  DWORD size;
};

// Registers `count` entries for the life of the table object.
class resource_table {
 public:
  resource_table(const resource_entry* entries, size_t count);
  ~resource_table();
  resource_table(const resource_table&) = delete;
  resource_table& operator=(const resource_table&) = delete;

  const resource_entry* const entries;
  const size_t count;
  resource_table* next = nullptr;
};

}  // namespace platform
