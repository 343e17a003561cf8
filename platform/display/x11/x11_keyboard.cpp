// Keysym -> virtual-key code and typed text.
// Depends on: X11 keysym values only. Talks to no server.
#include "display/x11/x11_keyboard.h"

#include <X11/keysym.h>

namespace platform::display::x11 {
namespace {

struct KeysymCode {
  KeySym keysym;
  UINT vk;
};

// Keys that are not in one of the ranges handled in virtual_key.
constexpr KeysymCode kKeysymCodes[] = {
    {XK_BackSpace, 0x08},   {XK_Tab, 0x09},          {XK_ISO_Left_Tab, 0x09}, {XK_Return, 0x0D},
    {XK_Escape, 0x1B},      {XK_space, 0x20},        {XK_Pause, 0x13},        {XK_Caps_Lock, 0x14},
    {XK_Prior, 0x21},       {XK_Next, 0x22},         {XK_End, 0x23},          {XK_Home, 0x24},
    {XK_Left, 0x25},        {XK_Up, 0x26},           {XK_Right, 0x27},        {XK_Down, 0x28},
    {XK_Print, 0x2C},       {XK_Insert, 0x2D},       {XK_Delete, 0x2E},       {XK_Super_L, 0x5B},
    {XK_Super_R, 0x5C},     {XK_Menu, 0x5D},         {XK_Num_Lock, 0x90},     {XK_Scroll_Lock, 0x91},
    // VK_SHIFT, VK_CONTROL and VK_MENU: WM_KEYDOWN carries the side-less codes.
    {XK_Shift_L, 0x10},     {XK_Shift_R, 0x10},      {XK_Control_L, 0x11},    {XK_Control_R, 0x11},
    {XK_Alt_L, 0x12},       {XK_Alt_R, 0x12},        {XK_Meta_L, 0x12},       {XK_Meta_R, 0x12},
    {XK_ISO_Level3_Shift, 0x12},
    // The keypad with NumLock off, and its keys that NumLock does not change.
    {XK_KP_Home, 0x24},     {XK_KP_End, 0x23},       {XK_KP_Prior, 0x21},     {XK_KP_Next, 0x22},
    {XK_KP_Left, 0x25},     {XK_KP_Up, 0x26},        {XK_KP_Right, 0x27},     {XK_KP_Down, 0x28},
    {XK_KP_Insert, 0x2D},   {XK_KP_Delete, 0x2E},    {XK_KP_Begin, 0x0C},     {XK_KP_Enter, 0x0D},
    {XK_KP_Multiply, 0x6A}, {XK_KP_Add, 0x6B},       {XK_KP_Separator, 0x6C}, {XK_KP_Subtract, 0x6D},
    {XK_KP_Decimal, 0x6E},  {XK_KP_Divide, 0x6F},
    // VK_OEM_1 .. VK_OEM_3 and VK_OEM_4 .. VK_OEM_7 by their US-layout
    // symbols, shifted or not (some layouts have the shifted one at level 0);
    // VK_OEM_102 is the extra key of 102-key keyboards.
    {XK_semicolon, 0xBA},   {XK_colon, 0xBA},        {XK_equal, 0xBB},        {XK_plus, 0xBB},
    {XK_comma, 0xBC},       {XK_minus, 0xBD},        {XK_underscore, 0xBD},   {XK_period, 0xBE},
    {XK_slash, 0xBF},       {XK_question, 0xBF},     {XK_less, 0xE2},         {XK_greater, 0xE2},
    {XK_grave, 0xC0},       {XK_asciitilde, 0xC0},   {XK_bracketleft, 0xDB},  {XK_braceleft, 0xDB},
    {XK_backslash, 0xDC},   {XK_bar, 0xDC},          {XK_bracketright, 0xDD}, {XK_braceright, 0xDD},
    {XK_apostrophe, 0xDE},  {XK_quotedbl, 0xDE},
};

bool is_keypad(KeySym keysym) { return keysym >= XK_KP_Space && keysym <= XK_KP_Equal; }

// Keypad keys that type a character: digits, operators, space and '='.
bool is_printable_keypad(KeySym keysym) {
  return keysym == XK_KP_Space || keysym == XK_KP_Equal || (keysym >= XK_KP_Multiply && keysym <= XK_KP_9);
}

// Function, cursor, modifier and dead keys, and the keypad's non-printing keys.
bool types_nothing(KeySym keysym) {
  return keysym >= 0xFE00 && keysym <= 0xFFFF && !is_printable_keypad(keysym);
}

std::u16string control_text(KeySym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return std::u16string(1, static_cast<char16_t>(keysym - XK_a + 1));
  if (keysym >= XK_A && keysym <= XK_Z) return std::u16string(1, static_cast<char16_t>(keysym - XK_A + 1));
  switch (keysym) {
    case XK_bracketleft: return u"\x1b";
    case XK_backslash: return u"\x1c";
    case XK_bracketright: return u"\x1d";
    case XK_space: return u" ";
    default: return std::u16string();
  }
}

bool is_control_character(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

}  // namespace

UINT virtual_key(KeySym base, KeySym resolved) {
  const KeySym key = is_keypad(base) ? resolved : base;
  if (key >= XK_a && key <= XK_z) return static_cast<UINT>(key - XK_a + 'A');
  if (key >= XK_A && key <= XK_Z) return static_cast<UINT>(key);
  if (key >= XK_0 && key <= XK_9) return static_cast<UINT>(key);
  if (key >= XK_KP_0 && key <= XK_KP_9) return static_cast<UINT>(key - XK_KP_0 + 0x60);
  if (key >= XK_F1 && key <= XK_F24) return static_cast<UINT>(key - XK_F1 + 0x70);
  for (const KeysymCode& code : kKeysymCodes) {
    if (code.keysym == key) return code.vk;
  }
  return 0;
}

std::u16string typed_text(KeySym resolved, bool control, const std::u32string& looked_up) {
  switch (resolved) {
    case XK_BackSpace: return control ? u"\x7f" : u"\b";
    case XK_Tab:
    case XK_ISO_Left_Tab:
    case XK_KP_Tab: return u"\t";
    case XK_Return:
    case XK_KP_Enter: return control ? u"\n" : u"\r";
    case XK_Escape: return u"\x1b";
    default: break;
  }
  if (control) return control_text(resolved);
  if (types_nothing(resolved)) return std::u16string();
  std::u32string printable;
  for (const char32_t c : looked_up) {
    if (!is_control_character(c)) printable.push_back(c);
  }
  return utf16_of(printable);
}

std::u16string utf16_of(const std::u32string& code_points) {
  std::u16string units;
  for (const char32_t c : code_points) {
    if (c >= 0x10000 && c <= 0x10FFFF) {
      units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else if (c < 0x10000) {
      units.push_back(static_cast<char16_t>(c));
    }
  }
  return units;
}

}  // namespace platform::display::x11
