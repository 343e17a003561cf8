// The state of keys and mouse buttons: the asynchronous state follows input
// as it arrives; the synchronous one (GetKeyState) as the thread takes the
// input messages off its queue.
#pragma once

#include "platform/windowing.h"

namespace platform::wm {

void set_async_key(UINT vk, bool down);
bool async_key_down(UINT vk);
void set_sync_key(UINT vk, bool down);
// MK_* flags from the asynchronous state.
WPARAM mouse_key_flags();

}  // namespace platform::wm
