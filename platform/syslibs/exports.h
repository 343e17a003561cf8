// What each of our run-time libraries offers to GetProcAddress: its entry
// points by name. One source file per library defines its table.
// Depends on: syslibs.h. Loads nothing (library_table).
#pragma once

#include <cstddef>

#include "platform/syslibs.h"

namespace platform::syslibs {

struct Export {
  const char* name;
  FARPROC address;
};

struct ExportTable {
  const Export* entries;
  size_t count;
};

template <size_t N>
constexpr ExportTable export_table(const Export (&entries)[N]) {
  return {entries, N};
}

template <class F>
FARPROC export_address(F* function) {
  return reinterpret_cast<FARPROC>(function);
}

// Each table is a function-local static, built on first use: it may be asked
// for before the static initialisers of its file have run (an image made
// during another file's static initialisation loads the libraries).
ExportTable msimg32_exports();
ExportTable imm32_exports();
ExportTable winmm_exports();
ExportTable ole32_exports();

}  // namespace platform::syslibs
