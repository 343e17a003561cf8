// Icons: the application's own icon, a 32x32 ARGB picture drawn here (a green
// disc with a pale quill across it), handed out by LoadIcon and LoadImage as
// the system's icons (no module). An icon of a module must be among its icon
// group resources (FindResource); loading one the program lacks fails.
// Depends on: resources, LoadCursor (LoadImage of a cursor). Draws nothing on screen.
#include "wm/icons.h"

#include <cmath>
#include <atomic>
#include <vector>

#include "platform/kernel32.h"
#include "platform/resources.h"
#include "wm/wm_state.h"

namespace {

constexpr int kIconSize = platform::wm::kApplicationIconSize;
constexpr ULONG_PTR kApplicationIcon = 0x00B00000;

// LoadImage without LR_SHARED hands out a handle of its own each time.
std::atomic<ULONG_PTR> next_copy{kApplicationIcon + 4};

HICON application_icon() { return reinterpret_cast<HICON>(kApplicationIcon); }

// Whether `name` names an icon that can be loaded from `instance` (null: the system's).
bool icon_exists(HINSTANCE instance, LPCWSTR name) {
  if (name == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return false;
  }
  return instance == nullptr || FindResourceW(instance, name, RT_GROUP_ICON) != nullptr;
}

uint8_t channel(double v) { return static_cast<uint8_t>(std::lround(std::fmin(std::fmax(v, 0.0), 255.0))); }

}  // namespace

namespace platform::wm {

// The application icon's pixels, 0xAARRGGBB, rows top-down (for backends that show icons).
std::vector<uint32_t> application_icon_pixels() {
  std::vector<uint32_t> pixels(kIconSize * kIconSize);
  const double centre = kIconSize / 2.0;
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      const double px = x + 0.5 - centre;
      const double py = y + 0.5 - centre;
      const double coverage = std::fmin(std::fmax(centre - 1.0 - std::hypot(px, py) + 0.5, 0.0), 1.0);
      // The quill: a band along the rising diagonal, thinning towards its tip.
      const double along = (px - py) / std::sqrt(2.0);
      const double across = std::fabs(px + py) / std::sqrt(2.0);
      const double width = 3.0 * (1.0 - (along + centre) / (2.0 * centre));
      const double quill = std::fmin(std::fmax(width - across + 0.5, 0.0), 1.0) * coverage;
      const double r = 34 + (236 - 34) * quill;
      const double g = 139 + (245 - 139) * quill;
      const double b = 74 + (220 - 74) * quill;
      pixels[static_cast<size_t>(y * kIconSize + x)] = (uint32_t{channel(coverage * 255)} << 24) |
                                                       (uint32_t{channel(r)} << 16) | (uint32_t{channel(g)} << 8) |
                                                       channel(b);
    }
  }
  return pixels;
}

}  // namespace platform::wm

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  return icon_exists(instance, name) ? application_icon() : nullptr;
}

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int, int, UINT flags) {
  if (type == IMAGE_CURSOR) return LoadCursorW(nullptr, name);
  if (type != IMAGE_ICON || (flags & LR_LOADFROMFILE)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  if (!icon_exists(instance, name)) return nullptr;
  if (flags & LR_SHARED) return application_icon();
  return reinterpret_cast<HANDLE>(next_copy.fetch_add(4));
}
