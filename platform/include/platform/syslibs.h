// Run-time loading of system libraries: LoadLibrary/GetProcAddress/FreeLibrary
// over a table of this platform's own implementations of msimg32, imm32,
// winmm and Ole32 entries. A test seam can mark a library or entry missing.
// Depends on: wintypes.h; implemented in platform/syslibs/. Loads no shared object: every library is a
// table of this platform's own functions.
#pragma once

#include "platform/wintypes.h"

HMODULE LoadLibraryA(LPCSTR name);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);

// ---- msimg32 -------------------------------------------------------------------
#define AC_SRC_OVER 0x00
#define AC_SRC_ALPHA 0x01
struct BLENDFUNCTION {
  BYTE BlendOp;
  BYTE BlendFlags;
  BYTE SourceConstantAlpha;
  BYTE AlphaFormat;
};
typedef USHORT COLOR16;
struct TRIVERTEX {
  LONG x;
  LONG y;
  COLOR16 Red;
  COLOR16 Green;
  COLOR16 Blue;
  COLOR16 Alpha;
};
struct GRADIENT_RECT {
  ULONG UpperLeft;
  ULONG LowerRight;
};
struct GRADIENT_TRIANGLE {
  ULONG Vertex1;
  ULONG Vertex2;
  ULONG Vertex3;
};
#define GRADIENT_FILL_RECT_H 0x00000000
#define GRADIENT_FILL_RECT_V 0x00000001
#define GRADIENT_FILL_TRIANGLE 0x00000002
typedef BOOL (*AlphaBlend_fn)(HDC dst, int xd, int yd, int wd, int hd, HDC src, int xs, int ys, int ws, int hs,
                              BLENDFUNCTION blend);
typedef BOOL (*GradientFill_fn)(HDC dc, TRIVERTEX* vertices, ULONG vertex_count, void* meshes, ULONG mesh_count,
                                ULONG mode);

// ---- imm32 ----------------------------------------------------------------------------
DECLARE_HANDLE(HIMC);
struct COMPOSITIONFORM {
  DWORD dwStyle;
  POINT ptCurrentPos;
  RECT rcArea;
};
#define CFS_POINT 0x0002
#define CFS_FORCE_POSITION 0x0020
typedef HIMC (*ImmGetContext_fn)(HWND window);
typedef BOOL (*ImmSetCompositionWindow_fn)(HIMC context, COMPOSITIONFORM* form);
typedef BOOL (*ImmReleaseContext_fn)(HWND window, HIMC context);

// ---- winmm ---------------------------------------------------------------------------------
typedef UINT MMRESULT;
#define TIMERR_NOERROR 0
#define TIMERR_NOCANDO 97
#define TIME_ONESHOT 0x0000
#define TIME_PERIODIC 0x0001
#define TIME_CALLBACK_FUNCTION 0x0000
#define TIME_CALLBACK_EVENT_SET 0x0010
#define TIME_CALLBACK_EVENT_PULSE 0x0020
#define MCIERR_UNSUPPORTED_FUNCTION 274
#define MMSYSERR_INVALPARAM 11
typedef void (*LPTIMECALLBACK)(UINT timer_id, UINT message, DWORD_PTR user, DWORD_PTR reserved1, DWORD_PTR reserved2);
typedef DWORD MCIERROR;
typedef UINT MCIDEVICEID;
typedef MMRESULT (*timeBeginPeriod_fn)(UINT period);
typedef MMRESULT (*timeEndPeriod_fn)(UINT period);
typedef MMRESULT (*timeSetEvent_fn)(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags);
typedef MMRESULT (*timeKillEvent_fn)(UINT timer_id);
typedef MCIERROR (*mciSendCommandW_fn)(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters);

// ---- Ole32 -------------------------------------------------------------------------------------
// A minimal IStream over global memory: what the image decoders read from.
#define STREAM_SEEK_SET 0
#define STREAM_SEEK_CUR 1
#define STREAM_SEEK_END 2
#define STG_E_INVALIDFUNCTION ((HRESULT)0x80030001L)
#define STG_E_INVALIDPOINTER ((HRESULT)0x80030009L)
#define STG_E_MEDIUMFULL ((HRESULT)0x80030070L)
struct IStream {
  virtual HRESULT Read(void* buffer, ULONG bytes, ULONG* read) = 0;
  virtual HRESULT Write(const void* buffer, ULONG bytes, ULONG* written) = 0;
  virtual HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULONGLONG* position) = 0;
  virtual HRESULT GetSize(ULONGLONG* size) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  virtual ~IStream() = default;
};
typedef HRESULT (*CreateStreamOnHGlobal_fn)(HGLOBAL memory, BOOL delete_on_release, IStream** stream);
