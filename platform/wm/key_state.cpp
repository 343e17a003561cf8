// Key state tables. A side-specific key (VK_LSHIFT) also moves its generic
// key (VK_SHIFT), as the generic code is what programs ask for.
#include "wm/key_state.h"

#include <atomic>

namespace platform::wm {
namespace {

constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;

struct KeyTable {
  std::atomic<BYTE> keys[256] = {};

  void set(UINT vk, bool down) {
    if (vk >= 256) return;
    const BYTE old = keys[vk].load();
    BYTE now = down ? static_cast<BYTE>(old | kDown) : static_cast<BYTE>(old & ~kDown);
    if (down && !(old & kDown)) now ^= kToggled;
    keys[vk].store(now);
  }
};

KeyTable async_keys;
KeyTable sync_keys;

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

void set_key(KeyTable& table, UINT vk, bool down) {
  table.set(vk, down);
  if (generic_of(vk) != vk) table.set(generic_of(vk), down);
}

}  // namespace

void set_async_key(UINT vk, bool down) { set_key(async_keys, vk, down); }
bool async_key_down(UINT vk) { return vk < 256 && (async_keys.keys[vk].load() & kDown); }
void set_sync_key(UINT vk, bool down) { set_key(sync_keys, vk, down); }

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

SHORT GetKeyState(int vk) {
  if (vk < 0 || vk >= 256) return 0;
  const BYTE state = platform::wm::sync_keys.keys[vk].load();
  return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
  return platform::wm::async_key_down(static_cast<UINT>(vk)) ? static_cast<SHORT>(0x8000) : 0;
}
