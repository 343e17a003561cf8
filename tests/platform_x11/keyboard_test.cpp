// Keysyms -> virtual-key codes and typed text, as Windows code expects them.
// Depends on: the X11 backend's keyboard tables only (no server).
#include <gtest/gtest.h>

#include "display/x11/x11_keyboard.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace {

using platform::display::x11::typed_text;
using platform::display::x11::utf16_of;
using platform::display::x11::virtual_key;

// `base` is the unshifted keysym, `resolved` the one after modifiers.
struct KeyCase {
  KeySym base, resolved;
  UINT vk;
};

TEST(X11VirtualKey, EveryKeyClassHasItsWindowsCode) {
  const KeyCase cases[] = {
      // Letters and digits whatever the shift.
      {XK_a, XK_a, 0x41}, {XK_z, XK_z, 0x5A}, {XK_q, XK_Q, 0x51}, {XK_A, XK_A, 0x41}, {XK_0, XK_0, 0x30},
      {XK_9, XK_9, 0x39}, {XK_1, XK_exclam, 0x31},
      // Function and editing keys.
      {XK_F1, XK_F1, 0x70}, {XK_F12, XK_F12, 0x7B}, {XK_F24, XK_F24, 0x87}, {XK_Left, XK_Left, 0x25},
      {XK_Up, XK_Up, 0x26}, {XK_Right, XK_Right, 0x27}, {XK_Down, XK_Down, 0x28}, {XK_Home, XK_Home, 0x24},
      {XK_End, XK_End, 0x23}, {XK_Prior, XK_Prior, 0x21}, {XK_Next, XK_Next, 0x22}, {XK_Insert, XK_Insert, 0x2D},
      {XK_Delete, XK_Delete, 0x2E}, {XK_BackSpace, XK_BackSpace, 8}, {XK_Tab, XK_Tab, 9},
      {XK_Tab, XK_ISO_Left_Tab, 9}, {XK_Return, XK_Return, 13}, {XK_Escape, XK_Escape, 27}, {XK_space, XK_space, 32},
      // Modifiers have their sideless codes.
      {XK_Shift_L, XK_Shift_L, 0x10}, {XK_Shift_R, XK_Shift_R, 0x10}, {XK_Control_L, XK_Control_L, 0x11},
      {XK_Control_R, XK_Control_R, 0x11}, {XK_Alt_L, XK_Alt_L, 0x12}, {XK_Alt_R, XK_Alt_R, 0x12},
      // The keypad's level 0 is the cursor key; NumLock makes it the digit.
      {XK_KP_End, XK_KP_1, 0x61}, {XK_KP_End, XK_KP_End, 0x23}, {XK_KP_Insert, XK_KP_0, 0x60},
      {XK_KP_Prior, XK_KP_9, 0x69}, {XK_KP_Delete, XK_KP_Decimal, 0x6E}, {XK_KP_Delete, XK_KP_Delete, 0x2E},
      {XK_KP_Begin, XK_KP_Begin, 0x0C}, {XK_KP_Multiply, XK_KP_Multiply, 0x6A}, {XK_KP_Add, XK_KP_Add, 0x6B},
      {XK_KP_Subtract, XK_KP_Subtract, 0x6D}, {XK_KP_Divide, XK_KP_Divide, 0x6F}, {XK_KP_Enter, XK_KP_Enter, 13},
      // Punctuation has the OEM codes.
      {XK_semicolon, XK_colon, 186}, {XK_equal, XK_equal, 187}, {XK_comma, XK_comma, 188},
      {XK_minus, XK_minus, 189}, {XK_period, XK_period, 190}, {XK_slash, XK_slash, 191}, {XK_grave, XK_grave, 192},
      {XK_bracketleft, XK_bracketleft, 219}, {XK_backslash, XK_backslash, 220},
      {XK_bracketright, XK_bracketright, 221}, {XK_apostrophe, XK_quotedbl, 222}, {XK_less, XK_less, 0xE2},
      // Keys Windows has no code for.
      {XK_eacute, XK_eacute, 0}, {XF86XK_AudioPlay, XF86XK_AudioPlay, 0}, {NoSymbol, NoSymbol, 0},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(virtual_key(c.base, c.resolved), c.vk) << std::hex << c.resolved;
}

struct TextCase {
  KeySym keysym;
  bool control;
  std::u32string looked_up;
  std::u16string typed;
};

TEST(X11TypedText, PrintableControlAndNonCharacterKeys) {
  const TextCase cases[] = {
      // Printable keys type what the input method gave; a composed character has no keysym of its own.
      {XK_a, false, U"a", u"a"}, {XK_A, false, U"A", u"A"}, {XK_space, false, U" ", u" "},
      {XK_eacute, false, U"\u00E9", u"\u00E9"}, {XK_KP_1, false, U"1", u"1"}, {NoSymbol, false, U"\u00EA", u"\u00EA"},
      {XK_a, false, U"", u""},
      // Control keys type their codes.
      {XK_BackSpace, false, U"\b", u"\b"}, {XK_Tab, false, U"\t", u"\t"}, {XK_ISO_Left_Tab, false, U"", u"\t"},
      {XK_Return, false, U"\r", u"\r"}, {XK_KP_Enter, false, U"\r", u"\r"}, {XK_Escape, false, U"\x1b", u"\x1b"},
      {XK_BackSpace, true, U"\b", u"\x7f"}, {XK_Return, true, U"\r", u"\n"},
      // Control letters type 1..26, Ctrl+[ \ ] 27..29; other Control combinations nothing.
      {XK_a, true, U"\x01", u"\x01"}, {XK_s, true, U"\x13", u"\x13"}, {XK_z, true, U"\x1a", u"\x1a"},
      {XK_A, true, U"\x01", u"\x01"}, {XK_bracketleft, true, U"\x1b", u"\x1b"},
      {XK_backslash, true, U"\x1c", u"\x1c"}, {XK_bracketright, true, U"\x1d", u"\x1d"}, {XK_1, true, U"1", u""},
      {XK_eacute, true, U"\u00E9", u""},
      // Non-character keys type nothing.
      {XK_Delete, false, U"\x7f", u""}, {XK_Left, false, U"", u""}, {XK_F5, false, U"", u""},
      {XK_Shift_L, false, U"", u""}, {XK_KP_End, false, U"", u""}, {XK_KP_Delete, false, U"\x7f", u""},
      {XK_dead_acute, false, U"\u00B4", u""},
      // Control characters an input method hands out are not text.
      {XK_a, false, U"a\x7f\x1b\u0085b", u"ab"},
      // Beyond the BMP: a surrogate pair.
      {0x0101F600, false, U"\U0001F600", u"\xD83D\xDE00"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(typed_text(c.keysym, c.control, c.looked_up), c.typed) << std::hex << c.keysym << " " << c.control;
  }
  EXPECT_EQ(utf16_of(U"\uFFFF\U00010000\U0010FFFF"), u"\uFFFF\xD800\xDC00\xDBFF\xDFFF");
  EXPECT_EQ(utf16_of(std::u32string(1, char32_t{0x110000})), u"");
}

}  // namespace
