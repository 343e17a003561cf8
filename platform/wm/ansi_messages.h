// Messages that carry text, between the wide form the window manager uses
// and the UTF-8 form of A functions and of procedures of A classes.
// Depends on: windowing.h. Sends nothing itself.
#pragma once

#include <functional>

#include "platform/windowing.h"

namespace platform::wm {

using MessageCall = std::function<LRESULT(WPARAM, LPARAM)>;

// Delivers an A-form message through `call` in wide form; text asked for comes back as UTF-8.
LRESULT with_wide_message(UINT message, WPARAM wparam, LPARAM lparam, const MessageCall& call);
// Delivers a wide message through `call` in A form; text asked for comes back wide.
LRESULT with_ansi_message(UINT message, WPARAM wparam, LPARAM lparam, const MessageCall& call);

}  // namespace platform::wm
