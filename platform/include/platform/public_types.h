// The platform's types that a library's public interface names: integer and
// handle types, the raster-operation codes and the font records (declared
// only); GDI+'s are in platform/gdiplus_types.h. No functions and no other
// macros, so that a program including such a public header keeps its own
// namespace free of the Windows constants and helpers (TRUE, ERROR, RGB, ...).
// The whole interface is platform/windows.h and platform/gdiplus.h.
// Depends on: the standard integer types only. Lays out no records (wintypes.h and gdi32.h do).
#pragma once

#include <cstdint>
#include <cstddef>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int INT;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef wchar_t WCHAR;
typedef float REAL;
typedef intptr_t INT_PTR, LONG_PTR;
typedef uintptr_t UINT_PTR, ULONG_PTR, DWORD_PTR;
typedef size_t SIZE_T;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef DWORD* LPDWORD;
typedef BOOL* LPBOOL;
typedef int32_t HRESULT;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef DWORD COLORREF;
typedef WORD ATOM;

#define PLATFORM_DECLARE_HANDLE(name) \
  struct name##__;                    \
  typedef struct name##__* name
typedef void* HANDLE;
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;
typedef void* HGDIOBJ;
PLATFORM_DECLARE_HANDLE(HINSTANCE);
typedef HINSTANCE HMODULE;
PLATFORM_DECLARE_HANDLE(HWND);
PLATFORM_DECLARE_HANDLE(HDC);
PLATFORM_DECLARE_HANDLE(HBITMAP);
PLATFORM_DECLARE_HANDLE(HPEN);
PLATFORM_DECLARE_HANDLE(HBRUSH);
PLATFORM_DECLARE_HANDLE(HFONT);
PLATFORM_DECLARE_HANDLE(HRGN);
PLATFORM_DECLARE_HANDLE(HPALETTE);
PLATFORM_DECLARE_HANDLE(HICON);
PLATFORM_DECLARE_HANDLE(HMONITOR);
PLATFORM_DECLARE_HANDLE(HRSRC);
typedef HICON HCURSOR;
// void(*)() so that casts to and from real entry types are warning-free.
typedef void (*FARPROC)();
// A window procedure.
typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);
#undef PLATFORM_DECLARE_HANDLE

// ---- ternary raster operations ----------------------------------------------------------
#define SRCCOPY 0x00CC0020u
#define SRCPAINT 0x00EE0086u
#define SRCAND 0x008800C6u
#define SRCINVERT 0x00660046u
#define SRCERASE 0x00440328u
#define NOTSRCCOPY 0x00330008u
#define NOTSRCERASE 0x001100A6u
#define MERGECOPY 0x00C000CAu
#define MERGEPAINT 0x00BB0226u
#define PATCOPY 0x00F00021u
#define PATPAINT 0x00FB0A09u
#define PATINVERT 0x005A0049u
#define DSTINVERT 0x00550009u
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u

struct LOGFONTA;
struct LOGFONTW;
struct IStream;
