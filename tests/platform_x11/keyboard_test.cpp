// Keysyms -> virtual-key codes and typed text, as Windows code expects them.
#include <gtest/gtest.h>

#include "display/x11/x11_keyboard.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace {

using platform::display::x11::typed_text;
using platform::display::x11::utf16_of;
using platform::display::x11::virtual_key;

// Most keys: the same keysym before and after modifiers.
UINT vk(KeySym keysym) { return virtual_key(keysym, keysym); }

TEST(X11VirtualKey, LettersAndDigitsWhateverTheShift) {
  EXPECT_EQ(vk(XK_a), 0x41u);
  EXPECT_EQ(vk(XK_z), 0x5Au);
  EXPECT_EQ(virtual_key(XK_q, XK_Q), 0x51u);
  EXPECT_EQ(vk(XK_A), 0x41u);
  EXPECT_EQ(vk(XK_0), 0x30u);
  EXPECT_EQ(vk(XK_9), 0x39u);
  EXPECT_EQ(virtual_key(XK_1, XK_exclam), 0x31u);
}

TEST(X11VirtualKey, FunctionAndEditingKeys) {
  EXPECT_EQ(vk(XK_F1), 0x70u);
  EXPECT_EQ(vk(XK_F12), 0x7Bu);
  EXPECT_EQ(vk(XK_F24), 0x87u);
  EXPECT_EQ(vk(XK_Left), 0x25u);
  EXPECT_EQ(vk(XK_Up), 0x26u);
  EXPECT_EQ(vk(XK_Right), 0x27u);
  EXPECT_EQ(vk(XK_Down), 0x28u);
  EXPECT_EQ(vk(XK_Home), 0x24u);
  EXPECT_EQ(vk(XK_End), 0x23u);
  EXPECT_EQ(vk(XK_Prior), 0x21u);
  EXPECT_EQ(vk(XK_Next), 0x22u);
  EXPECT_EQ(vk(XK_Insert), 0x2Du);
  EXPECT_EQ(vk(XK_Delete), 0x2Eu);
  EXPECT_EQ(vk(XK_BackSpace), 8u);
  EXPECT_EQ(vk(XK_Tab), 9u);
  EXPECT_EQ(virtual_key(XK_Tab, XK_ISO_Left_Tab), 9u);
  EXPECT_EQ(vk(XK_Return), 13u);
  EXPECT_EQ(vk(XK_Escape), 27u);
  EXPECT_EQ(vk(XK_space), 32u);
}

TEST(X11VirtualKey, ModifiersHaveTheirSidelessCodes) {
  EXPECT_EQ(vk(XK_Shift_L), 0x10u);
  EXPECT_EQ(vk(XK_Shift_R), 0x10u);
  EXPECT_EQ(vk(XK_Control_L), 0x11u);
  EXPECT_EQ(vk(XK_Control_R), 0x11u);
  EXPECT_EQ(vk(XK_Alt_L), 0x12u);
  EXPECT_EQ(vk(XK_Alt_R), 0x12u);
}

TEST(X11VirtualKey, KeypadFollowsNumLock) {
  // The keypad's level 0 is the cursor key; NumLock makes it the digit.
  EXPECT_EQ(virtual_key(XK_KP_End, XK_KP_1), 0x61u);
  EXPECT_EQ(virtual_key(XK_KP_End, XK_KP_End), 0x23u);
  EXPECT_EQ(virtual_key(XK_KP_Insert, XK_KP_0), 0x60u);
  EXPECT_EQ(virtual_key(XK_KP_Prior, XK_KP_9), 0x69u);
  EXPECT_EQ(virtual_key(XK_KP_Delete, XK_KP_Decimal), 0x6Eu);
  EXPECT_EQ(virtual_key(XK_KP_Delete, XK_KP_Delete), 0x2Eu);
  EXPECT_EQ(virtual_key(XK_KP_Begin, XK_KP_Begin), 0x0Cu);
  EXPECT_EQ(vk(XK_KP_Multiply), 0x6Au);
  EXPECT_EQ(vk(XK_KP_Add), 0x6Bu);
  EXPECT_EQ(vk(XK_KP_Subtract), 0x6Du);
  EXPECT_EQ(vk(XK_KP_Divide), 0x6Fu);
  EXPECT_EQ(vk(XK_KP_Enter), 13u);
}

TEST(X11VirtualKey, PunctuationHasTheOemCodes) {
  EXPECT_EQ(virtual_key(XK_semicolon, XK_colon), 186u);
  EXPECT_EQ(vk(XK_equal), 187u);
  EXPECT_EQ(vk(XK_comma), 188u);
  EXPECT_EQ(vk(XK_minus), 189u);
  EXPECT_EQ(vk(XK_period), 190u);
  EXPECT_EQ(vk(XK_slash), 191u);
  EXPECT_EQ(vk(XK_grave), 192u);
  EXPECT_EQ(vk(XK_bracketleft), 219u);
  EXPECT_EQ(vk(XK_backslash), 220u);
  EXPECT_EQ(vk(XK_bracketright), 221u);
  EXPECT_EQ(virtual_key(XK_apostrophe, XK_quotedbl), 222u);
  EXPECT_EQ(vk(XK_less), 0xE2u);
}

TEST(X11VirtualKey, KeysWindowsHasNoCodeForAreZero) {
  EXPECT_EQ(vk(XK_eacute), 0u);
  EXPECT_EQ(vk(XF86XK_AudioPlay), 0u);
  EXPECT_EQ(vk(NoSymbol), 0u);
}

TEST(X11TypedText, PrintableKeysTypeWhatTheInputMethodGave) {
  EXPECT_EQ(typed_text(XK_a, false, U"a"), u"a");
  EXPECT_EQ(typed_text(XK_A, false, U"A"), u"A");
  EXPECT_EQ(typed_text(XK_space, false, U" "), u" ");
  EXPECT_EQ(typed_text(XK_eacute, false, U"\u00E9"), u"\u00E9");
  EXPECT_EQ(typed_text(XK_KP_1, false, U"1"), u"1");
  // A composed character comes with no keysym of its own.
  EXPECT_EQ(typed_text(NoSymbol, false, U"\u00EA"), u"\u00EA");
  EXPECT_EQ(typed_text(XK_a, false, U""), u"");
}

TEST(X11TypedText, ControlKeysTypeTheirCodes) {
  EXPECT_EQ(typed_text(XK_BackSpace, false, U"\b"), u"\b");
  EXPECT_EQ(typed_text(XK_Tab, false, U"\t"), u"\t");
  EXPECT_EQ(typed_text(XK_ISO_Left_Tab, false, U""), u"\t");
  EXPECT_EQ(typed_text(XK_Return, false, U"\r"), u"\r");
  EXPECT_EQ(typed_text(XK_KP_Enter, false, U"\r"), u"\r");
  EXPECT_EQ(typed_text(XK_Escape, false, U"\x1b"), u"\x1b");
  EXPECT_EQ(typed_text(XK_BackSpace, true, U"\b"), u"\x7f");
  EXPECT_EQ(typed_text(XK_Return, true, U"\r"), u"\n");
}

TEST(X11TypedText, ControlLettersTypeOneToTwentySix) {
  EXPECT_EQ(typed_text(XK_a, true, U"\x01"), u"\x01");
  EXPECT_EQ(typed_text(XK_s, true, U"\x13"), u"\x13");
  EXPECT_EQ(typed_text(XK_z, true, U"\x1a"), u"\x1a");
  EXPECT_EQ(typed_text(XK_A, true, U"\x01"), u"\x01");
  EXPECT_EQ(typed_text(XK_bracketleft, true, U"\x1b"), u"\x1b");
  EXPECT_EQ(typed_text(XK_backslash, true, U"\x1c"), u"\x1c");
  EXPECT_EQ(typed_text(XK_bracketright, true, U"\x1d"), u"\x1d");
  // Other Control combinations type nothing.
  EXPECT_EQ(typed_text(XK_1, true, U"1"), u"");
  EXPECT_EQ(typed_text(XK_eacute, true, U"\u00E9"), u"");
}

TEST(X11TypedText, NonCharacterKeysTypeNothing) {
  EXPECT_EQ(typed_text(XK_Delete, false, U"\x7f"), u"");
  EXPECT_EQ(typed_text(XK_Left, false, U""), u"");
  EXPECT_EQ(typed_text(XK_F5, false, U""), u"");
  EXPECT_EQ(typed_text(XK_Shift_L, false, U""), u"");
  EXPECT_EQ(typed_text(XK_KP_End, false, U""), u"");
  EXPECT_EQ(typed_text(XK_KP_Delete, false, U"\x7f"), u"");
  EXPECT_EQ(typed_text(XK_dead_acute, false, U"\u00B4"), u"");
  // Control characters an input method hands out are not text.
  EXPECT_EQ(typed_text(XK_a, false, U"a\x7f\x1b\u0085b"), u"ab");
}

TEST(X11TypedText, CharactersBeyondTheBmpBecomeSurrogatePairs) {
  EXPECT_EQ(typed_text(0x0101F600, false, U"\U0001F600"), u"\xD83D\xDE00");
  EXPECT_EQ(utf16_of(U"\uFFFF\U00010000\U0010FFFF"), u"\uFFFF\xD800\xDC00\xDBFF\xDFFF");
  EXPECT_EQ(utf16_of(std::u32string(1, char32_t{0x110000})), u"");
}

}  // namespace
