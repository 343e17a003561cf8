// What an X key event means to Windows code: its virtual-key code and the
// text it types, as TranslateMessage would turn a WM_KEYDOWN into WM_CHARs.
// Pure functions of keysyms, so that they are testable without a server.
// Depends on: X11's keysym type and the public Windows types. Talks to no server.
#pragma once

#include <string>

#include "platform/wintypes.h"

#include <X11/X.h>

namespace platform::display::x11 {

// The virtual-key code of a key: `base` is the key's unshifted keysym (level
// 0 of group 0), `resolved` the keysym after modifiers. Keypad keys follow
// NumLock as on Windows (VK_NUMPAD1 or VK_END), so their code comes from
// `resolved`; every other key has one code whatever the modifiers (Shift+1
// is still '1'). 0 for keys Windows has no code for.
UINT virtual_key(KeySym base, KeySym resolved);

// The UTF-16 text a key press types. `looked_up` is the text the input
// method gave for the press (code points); `control` says Control is down.
// Backspace, Tab, Enter and Escape type 8, 9, 13 and 27 (Ctrl+Backspace 127,
// Ctrl+Enter 10); Ctrl+letter types 1..26 and Ctrl+[ \ ] 27..29; any other
// Control combination, and Delete, arrows, function and modifier keys, type
// nothing.
std::u16string typed_text(KeySym resolved, bool control, const std::u32string& looked_up);

// UTF-16 units of code points: surrogate pairs beyond the BMP.
std::u16string utf16_of(const std::u32string& code_points);

}  // namespace platform::display::x11
