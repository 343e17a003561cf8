// The state of keys and mouse buttons as input arrives, for the MK_* flags of
// mouse messages. Depends on: the virtual-key codes of windowing.h.
#pragma once

#include "platform/windowing.h"

namespace platform::wm {

void set_async_key(UINT vk, bool down);
bool async_key_down(UINT vk);
// MK_* flags from the key state.
WPARAM mouse_key_flags();

}  // namespace platform::wm
