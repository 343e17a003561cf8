// USER32 stand-in: the part the library needs before windows exist (message
// boxes, device contexts of windows and of the screen). The window manager
// extends this header.
// Depends on: gdi32.h; message boxes and wsprintf in platform/user/, GetDC in platform/wm/. Declares no
// windows or messages (windowing.h).
#pragma once

#include <cstdarg>

#include "platform/gdi32.h"

// ---- message boxes ----------------------------------------------------------
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_YESNO 0x00000004u
#define MB_ICONERROR 0x00000010u
#define MB_ICONHAND MB_ICONERROR
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONWARNING 0x00000030u
#define MB_ICONINFORMATION 0x00000040u
#define MB_SYSTEMMODAL 0x00001000u
#define MB_TOPMOST 0x00040000u
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7
// Prints "caption: text" to stderr; shows a real box only when a display is present.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// ---- device contexts of windows -------------------------------------------------
// GetDC(NULL) is the screen's DC; a window's DC draws into its client area.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);

// ---- formatting ---------------------------------------------------------------------
// Windows' wsprintfW: %s is a wide string, %p a pointer as 16 upper-case hex digits.
// Writes at most 1024 characters including the terminator; returns the count
// written without the terminator.
int wsprintfW(LPWSTR out, LPCWSTR format, ...);
int wvsprintfW(LPWSTR out, LPCWSTR format, va_list arguments);
