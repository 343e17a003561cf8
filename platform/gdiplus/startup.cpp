// Library start-up and the memory calls GdipAlloc/GdipFree. Nothing depends
// on start-up: every object works without it, and every caller gets the same
// token. Depends on: nothing but the public header. Has no shutdown: the
// library is never stopped.
#include <cstdlib>

#include "platform/gdiplus.h"

namespace Gdiplus {

namespace {

// The one token, non-zero: the address of a byte of its own.
const char startup_marker = 0;
ULONG_PTR startup_token() { return reinterpret_cast<ULONG_PTR>(&startup_marker); }

// With SuppressBackgroundThread the caller runs the background work through
// these hooks; there is none here.
Status WINAPI notification_hook(ULONG_PTR* token) {
  if (token == nullptr) return InvalidParameter;
  *token = startup_token();
  return Ok;
}

void WINAPI notification_unhook(ULONG_PTR) {}

}  // namespace

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
  if (token == nullptr || input == nullptr) return InvalidParameter;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  if (input->SuppressBackgroundThread && output == nullptr) return InvalidParameter;
  if (output != nullptr) {
    output->NotificationHook = notification_hook;
    output->NotificationUnhook = notification_unhook;
  }
  *token = startup_token();
  return Ok;
}

void* GdipAlloc(size_t size) { return std::malloc(size); }

void GdipFree(void* ptr) { std::free(ptr); }

}  // namespace Gdiplus
