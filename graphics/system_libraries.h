// Forwarders to the optional system library entries. Each passes its
// arguments through and, when its entry is missing, does nothing and returns 0.
// Internal to the library.
// Depends on: frond.h, the platform's library table. Adds no behaviour of its own.
#pragma once

#include "graphics/frond.h"

namespace frond {

HIMC dll_ImmGetContext(HWND window);
BOOL dll_ImmSetCompositionWindow(HIMC context, COMPOSITIONFORM* form);
BOOL dll_AlphaBlend(HDC dst, int xd, int yd, int wd, int hd, HDC src, int xs, int ys, int ws, int hs,
                    BLENDFUNCTION blend);
BOOL dll_GradientFill(HDC dc, TRIVERTEX* vertices, ULONG vertex_count, void* meshes, ULONG mesh_count, ULONG mode);
MMRESULT dll_timeBeginPeriod(UINT period);
MMRESULT dll_timeEndPeriod(UINT period);
MMRESULT dll_timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags);
MMRESULT dll_timeKillEvent(UINT timer_id);
MCIERROR dll_mciSendCommandW(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters);

}  // namespace frond
