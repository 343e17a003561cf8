// Run-time system libraries: imm32, msimg32 and winmm are loaded by name and
// their entries looked up, so that the library runs (with the feature
// skipped) where one is missing; each miss is one line on stderr. Also the
// library's internal error box.
// Depends on: the platform's LoadLibrary table, MessageBox, ExitProcess.

#include "graphics/system_libraries.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "graphics/state.h"

namespace frond {
namespace {

struct entry_slot {
  const char* name;
  std::atomic<FARPROC> proc{nullptr};
};

struct library_slot {
  const char* file;
  HMODULE module = nullptr;
  entry_slot* entries;
  size_t entry_count;
};

entry_slot imm32_entries[] = {{"ImmGetContext"}, {"ImmSetCompositionWindow"}};
entry_slot msimg32_entries[] = {{"AlphaBlend"}, {"GradientFill"}};
entry_slot winmm_entries[] = {
    {"timeBeginPeriod"}, {"timeEndPeriod"}, {"timeSetEvent"}, {"timeKillEvent"}, {"mciSendCommandW"}};

library_slot libraries[] = {
    {"imm32.dll", nullptr, imm32_entries, 2},
    {"msimg32.dll", nullptr, msimg32_entries, 2},
    {"winmm.dll", nullptr, winmm_entries, 5},
};

enum library_index { IMM32, MSIMG32, WINMM };
enum entry_index { IMM_GET_CONTEXT = 0, IMM_SET_COMPOSITION_WINDOW = 1 };
enum msimg32_index { ALPHA_BLEND = 0, GRADIENT_FILL = 1 };
enum winmm_index { TIME_BEGIN_PERIOD = 0, TIME_END_PERIOD, TIME_SET_EVENT, TIME_KILL_EVENT, MCI_SEND_COMMAND };

std::mutex loader_lock;
std::atomic<bool> libraries_ready{false};

void report_missing_library(const char* file) { std::fprintf(stderr, "frond error: Failed to load %s.\n", file); }

void report_missing_entry(const char* entry, const char* file) {
  std::fprintf(stderr, "frond error: The '%s' function cannot be found from the %s.\n", entry, file);
}

// Loads one library when needed and resolves its entries that are still
// missing. Returns false when the library itself could not be loaded.
bool load_library(library_slot& library) {
  if (library.module == nullptr) {
    library.module = LoadLibraryA(library.file);
    if (library.module == nullptr) {
      report_missing_library(library.file);
      return false;
    }
  }
  for (size_t i = 0; i < library.entry_count; ++i) {
    entry_slot& entry = library.entries[i];
    if (entry.proc.load() != nullptr) continue;
    FARPROC proc = GetProcAddress(library.module, entry.name);
    if (proc == nullptr) report_missing_entry(entry.name, library.file);
    entry.proc.store(proc);
  }
  return true;
}

bool all_entries_present() {
  for (const library_slot& library : libraries)
    for (size_t i = 0; i < library.entry_count; ++i)
      if (library.entries[i].proc.load() == nullptr) return false;
  return true;
}

template <class Fn>
Fn entry(library_index library, int index) {
  return reinterpret_cast<Fn>(libraries[library].entries[index].proc.load());
}

}  // namespace

void load_system_libraries() {
  if (libraries_ready.load()) return;
  std::lock_guard<std::mutex> guard(loader_lock);
  if (libraries_ready.load()) return;
  load_library(libraries[IMM32]);
  load_library(libraries[MSIMG32]);
  if (!load_library(libraries[WINMM])) return;
  libraries_ready.store(all_entries_present());
}

void free_system_libraries() {
  std::lock_guard<std::mutex> guard(loader_lock);
  libraries_ready.store(false);
  for (library_slot& library : libraries) {
    // Entries go first, so that no caller reaches into a released library.
    for (size_t i = 0; i < library.entry_count; ++i) library.entries[i].proc.store(nullptr);
    if (library.module != nullptr) FreeLibrary(library.module);
    library.module = nullptr;
  }
}

HRESULT create_stream_on_hglobal(HGLOBAL memory, bool delete_on_release, IStream** out) {
  HMODULE ole32 = LoadLibraryA("Ole32.dll");
  if (ole32 == nullptr) {
    report_missing_library("Ole32.dll");
    return 1;
  }
  HRESULT result = 1;
  auto create = reinterpret_cast<CreateStreamOnHGlobal_fn>(GetProcAddress(ole32, "CreateStreamOnHGlobal"));
  if (create == nullptr)
    report_missing_entry("CreateStreamOnHGlobal", "Ole32.dll");
  else
    result = create(memory, delete_on_release ? TRUE : FALSE, out);
  FreeLibrary(ole32);
  return result;
}

void internal_error_box(const wchar_t* text) {
  MessageBoxW(state().window.load(), text, L"FROND INTERNAL ERROR", MB_ICONERROR);
  ExitProcess(UINT(-11));
}

HIMC dll_ImmGetContext(HWND window) {
  auto fn = entry<ImmGetContext_fn>(IMM32, IMM_GET_CONTEXT);
  return fn ? fn(window) : nullptr;
}

BOOL dll_ImmSetCompositionWindow(HIMC context, COMPOSITIONFORM* form) {
  auto fn = entry<ImmSetCompositionWindow_fn>(IMM32, IMM_SET_COMPOSITION_WINDOW);
  return fn ? fn(context, form) : 0;
}

BOOL dll_AlphaBlend(HDC dst, int xd, int yd, int wd, int hd, HDC src, int xs, int ys, int ws, int hs,
                    BLENDFUNCTION blend) {
  auto fn = entry<AlphaBlend_fn>(MSIMG32, ALPHA_BLEND);
  return fn ? fn(dst, xd, yd, wd, hd, src, xs, ys, ws, hs, blend) : 0;
}

BOOL dll_GradientFill(HDC dc, TRIVERTEX* vertices, ULONG vertex_count, void* meshes, ULONG mesh_count, ULONG mode) {
  auto fn = entry<GradientFill_fn>(MSIMG32, GRADIENT_FILL);
  return fn ? fn(dc, vertices, vertex_count, meshes, mesh_count, mode) : 0;
}

MMRESULT dll_timeBeginPeriod(UINT period) {
  auto fn = entry<timeBeginPeriod_fn>(WINMM, TIME_BEGIN_PERIOD);
  return fn ? fn(period) : 0;
}

MMRESULT dll_timeEndPeriod(UINT period) {
  auto fn = entry<timeEndPeriod_fn>(WINMM, TIME_END_PERIOD);
  if (fn) fn(period);
  return 0;
}

MMRESULT dll_timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) {
  auto fn = entry<timeSetEvent_fn>(WINMM, TIME_SET_EVENT);
  return fn ? fn(delay, resolution, callback, user, flags) : 0;
}

MMRESULT dll_timeKillEvent(UINT timer_id) {
  auto fn = entry<timeKillEvent_fn>(WINMM, TIME_KILL_EVENT);
  return fn ? fn(timer_id) : 0;
}

MCIERROR dll_mciSendCommandW(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
  auto fn = entry<mciSendCommandW_fn>(WINMM, MCI_SEND_COMMAND);
  return fn ? fn(device, message, flags, parameters) : 0;
}

}  // namespace frond
