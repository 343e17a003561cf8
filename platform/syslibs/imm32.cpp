// imm32: there is no input method here, so a window's input context is a
// dummy derived from the window handle and composition requests succeed
// without effect.
#include "syslibs/exports.h"

namespace platform::syslibs {
namespace {

HIMC ImmGetContext(HWND window) { return reinterpret_cast<HIMC>(window); }

BOOL ImmReleaseContext(HWND window, HIMC context) { return window != nullptr && context != nullptr; }

BOOL ImmSetCompositionWindow(HIMC context, COMPOSITIONFORM* form) { return context != nullptr && form != nullptr; }

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
