// GdipSaveGraphics / GdipRestoreGraphics: a stack of whole graphics settings.
#include <algorithm>

#include "gdiplus/graphics.h"
#include "gdiplus/status.h"

namespace Gdiplus {

GpStatus GdipSaveGraphics(GpGraphics* graphics, GraphicsState* state) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  if (state == nullptr) return InvalidParameter;
  return detail::guard_allocation([&] {
    graphics->saved.emplace_back(graphics->next_state, graphics->settings);
    *state = graphics->next_state++;
    return Ok;
  });
}

// Restoring a state also discards every state saved after it; a state that
// is no longer (or never was) on the stack changes nothing, as in GDI+.
GpStatus GdipRestoreGraphics(GpGraphics* graphics, GraphicsState state) {
  const GpStatus status = detail::usable(graphics);
  if (status != Ok) return status;
  auto& saved = graphics->saved;
  const auto found = std::find_if(saved.begin(), saved.end(), [state](const auto& entry) { return entry.first == state; });
  if (found == saved.end()) return Ok;
  graphics->settings = found->second;
  saved.erase(found, saved.end());
  return Ok;
}

}  // namespace Gdiplus
