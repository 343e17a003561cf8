// imm32: a window's input context is a handle derived from the window; the
// composition window's position goes to the display backend, whose input
// method (X11's) shows text being composed there.
// Depends on: exports.h, wm/ime_spot (the composition spot). Composes no text itself.
#include "syslibs/exports.h"
#include "wm/ime_spot.h"

namespace platform::syslibs {
namespace {

HIMC ImmGetContext(HWND window) { return reinterpret_cast<HIMC>(window); }

BOOL ImmReleaseContext(HWND window, HIMC context) { return window != nullptr && context != nullptr; }

BOOL ImmSetCompositionWindow(HIMC context, COMPOSITIONFORM* form) {
  if (context == nullptr || form == nullptr) return FALSE;
  return wm::set_composition_spot(reinterpret_cast<HWND>(context), form->ptCurrentPos) ? TRUE : FALSE;
}

}  // namespace

ExportTable imm32_exports() {
  static const Export exports[] = {
      {"ImmGetContext", export_address(ImmGetContext)},
      {"ImmReleaseContext", export_address(ImmReleaseContext)},
      {"ImmSetCompositionWindow", export_address(ImmSetCompositionWindow)},
  };
  return export_table(exports);
}

}  // namespace platform::syslibs
