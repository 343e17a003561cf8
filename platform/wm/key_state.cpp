// The asynchronous key table: which keys and mouse buttons are down as input
// arrives. A side-specific key (VK_LSHIFT) also moves its generic key
// (VK_SHIFT), as the generic code is what programs ask for.
// Depends on: nothing but the virtual-key codes. Keeps no toggle state.
#include "wm/key_state.h"

#include <atomic>

namespace platform::wm {
namespace {

std::atomic<bool> keys_down[256] = {};

UINT generic_of(UINT vk) {
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
    default:
      return vk;
  }
}

}  // namespace

void set_async_key(UINT vk, bool down) {
  if (vk >= 256) return;
  keys_down[vk].store(down);
  keys_down[generic_of(vk)].store(down);
}

bool async_key_down(UINT vk) { return vk < 256 && keys_down[vk].load(); }

WPARAM mouse_key_flags() {
  WPARAM flags = 0;
  if (async_key_down(VK_LBUTTON)) flags |= MK_LBUTTON;
  if (async_key_down(VK_RBUTTON)) flags |= MK_RBUTTON;
  if (async_key_down(VK_MBUTTON)) flags |= MK_MBUTTON;
  if (async_key_down(VK_SHIFT)) flags |= MK_SHIFT;
  if (async_key_down(VK_CONTROL)) flags |= MK_CONTROL;
  return flags;
}

}  // namespace platform::wm
