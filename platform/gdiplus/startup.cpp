// Library start-up and shutdown, and the memory calls GdipAlloc/GdipFree.
// Nothing else depends on start-up: every object works without it. The
// library counts its users and hands all of them the same token.
#include <cstdlib>
#include <mutex>

#include "platform/gdiplus.h"

namespace Gdiplus {

namespace {

std::mutex startup_mutex;
unsigned startup_count = 0;

// The one token, non-zero: the address of the count it stands for.
ULONG_PTR startup_token() { return reinterpret_cast<ULONG_PTR>(&startup_count); }

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
  std::lock_guard<std::mutex> lock(startup_mutex);
  ++startup_count;
  *token = startup_token();
  return Ok;
}

void GdiplusShutdown(ULONG_PTR token) {
  std::lock_guard<std::mutex> lock(startup_mutex);
  if (token == startup_token() && startup_count > 0) --startup_count;
}

void* GdipAlloc(size_t size) { return std::malloc(size); }

void GdipFree(void* ptr) { std::free(ptr); }

}  // namespace Gdiplus
