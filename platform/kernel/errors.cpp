// The last-error code: one per thread, as on Windows.
// Depends on: nothing. Maps no errno values (system_errors does).
#include "platform/kernel32.h"

namespace {
thread_local DWORD last_error = ERROR_SUCCESS;
}

DWORD GetLastError() { return last_error; }

void SetLastError(DWORD code) { last_error = code; }
