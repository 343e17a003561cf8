// KERNEL32 stand-in: threads, synchronisation, clocks, modules, process exit,
// code-page conversion, global memory, child processes and files.
// Depends on: wintypes.h; implemented in platform/kernel/ over POSIX (threads, posix_spawn, files) and
// iconv. Knows no windows and no drawing.
#pragma once

#include <string>
#include <string_view>

#include "platform/wintypes.h"

// ---- errors ---------------------------------------------------------------
#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_INVALID_PARAMETER 87
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_MOD_NOT_FOUND 126
#define ERROR_PROC_NOT_FOUND 127
#define ERROR_NOT_LOCKED 158
#define ERROR_ALREADY_EXISTS 183
#define ERROR_NO_UNICODE_TRANSLATION 1113
// files and child processes
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_TOO_MANY_OPEN_FILES 4
#define ERROR_ACCESS_DENIED 5
#define ERROR_GEN_FAILURE 31
#define ERROR_FILE_EXISTS 80
#define ERROR_DISK_FULL 112
#define ERROR_BAD_EXE_FORMAT 193
#define ERROR_FILENAME_EXCED_RANGE 206
#define ERROR_DIRECTORY 267
DWORD GetLastError();
void SetLastError(DWORD code);

// ---- critical sections (re-entrant, as on Windows) -------------------------
struct CRITICAL_SECTION {
  void* impl;  // owned recursive mutex; made by InitializeCriticalSection
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;
void InitializeCriticalSection(LPCRITICAL_SECTION cs);
void DeleteCriticalSection(LPCRITICAL_SECTION cs);
void EnterCriticalSection(LPCRITICAL_SECTION cs);
void LeaveCriticalSection(LPCRITICAL_SECTION cs);

// ---- kernel objects: threads, events ---------------------------------------
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define STILL_ACTIVE 259
#define CREATE_SUSPENDED 0x00000004u

struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;
typedef DWORD (*LPTHREAD_START_ROUTINE)(LPVOID parameter);

HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stack_size, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD flags, LPDWORD thread_id);
DWORD ResumeThread(HANDLE thread);
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES attributes, BOOL manual_reset, BOOL initial_state, LPCWSTR name);
BOOL SetEvent(HANDLE event);

// Waits on a thread or child process (signalled when it ends), an event or
// a file (always signalled).
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
BOOL CloseHandle(HANDLE object);

// ---- time -------------------------------------------------------------------
void Sleep(DWORD milliseconds);
// Milliseconds since an origin, wrapping at 2^32, over the monotonic clock.
DWORD GetTickCount();
// Counter in nanoseconds; frequency 1e9.
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);

// ---- modules and process ------------------------------------------------------
HMODULE GetModuleHandleW(LPCWSTR name);
HMODULE GetModuleHandleA(LPCSTR name);
// Ends the process with `code`; -11 gives exit status 245.
[[noreturn]] void ExitProcess(UINT code);

// ---- code pages -----------------------------------------------------------------
// Code page 0 (CP_ACP) is UTF-8 here; other code pages go through iconv.
#define CP_ACP 0
#define CP_OEMCP 1
#define CP_UTF8 65001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_ERR_INVALID_CHARS 0x00000080
int MultiByteToWideChar(UINT code_page, DWORD flags, LPCSTR text, int length, LPWSTR out, int out_length);
int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR text, int length, LPSTR out, int out_length,
                        LPCSTR default_char, LPBOOL used_default);
namespace platform {
// The one conversion between 8-bit and wide text that the library and the
// platform use, over the two calls above with no flags. `length` counts bytes
// or units; -1 takes the text up to its terminator, which is not kept. Null
// or empty text, or text that does not convert, gives an empty string.
// Invalid bytes become U+FFFD; characters a code page cannot encode (and
// lone surrogates) become '?'.
std::wstring multibyte_to_wide(UINT code_page, LPCSTR text, int length = -1);
std::string wide_to_multibyte(UINT code_page, LPCWSTR text, int length = -1);
}  // namespace platform

// ---- global memory ----------------------------------------------------------------
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// Resizes a block; a moveable (or GMEM_MOVEABLE-flagged fixed) block may move.
HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, UINT flags);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
SIZE_T GlobalSize(HGLOBAL memory);
HGLOBAL GlobalFree(HGLOBAL memory);

// ---- paths -------------------------------------------------------------------------
namespace platform {
// A path as Windows callers write it, with '\' between folders, as the POSIX
// path the C and C++ file layers take: every '\' becomes '/'. The one place
// where paths are converted at the platform's boundary; a path starting with
// '/' is absolute, any other is relative to the current directory.
std::string posix_path(std::string_view windows_path);
}  // namespace platform

// ---- child processes --------------------------------------------------------------------
// CreateProcess splits the command line as Windows programs do (blanks
// separate arguments, double quotes group, backslashes escape only before a
// double quote) and runs the program its first word names, or `application`
// when given: '\' in that name separates folders, and a name `X.exe` that
// does not exist as such runs `X`. The child's stdin is /dev/null, its stdout
// and stderr are the parent's and no other descriptor is inherited; it runs in
// `directory` (else the parent's) with `environment` (else the parent's).
// CREATE_NO_WINDOW, DETACHED_PROCESS, CREATE_NEW_CONSOLE and
// CREATE_NEW_PROCESS_GROUP keep the terminal's Ctrl+C from the child (its own
// process group); CREATE_SUSPENDED is refused, other flags and STARTUPINFO
// have no effect. The exit code of a child ended by signal n is 128 + n.
#define DETACHED_PROCESS 0x00000008u
#define CREATE_NEW_CONSOLE 0x00000010u
#define NORMAL_PRIORITY_CLASS 0x00000020u
#define CREATE_NEW_PROCESS_GROUP 0x00000200u
#define CREATE_UNICODE_ENVIRONMENT 0x00000400u
#define CREATE_NO_WINDOW 0x08000000u

struct STARTUPINFOA {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  BYTE* lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
};
typedef STARTUPINFOA* LPSTARTUPINFOA;
struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;  // the child's main thread: signalled when the child ends
  DWORD dwProcessId;
  DWORD dwThreadId;
};
typedef PROCESS_INFORMATION* LPPROCESS_INFORMATION;

// FALSE with the last error set, and `info` untouched, when the program cannot be started.
BOOL CreateProcessA(LPCSTR application, LPSTR command_line, LPSECURITY_ATTRIBUTES process_attributes,
                    LPSECURITY_ATTRIBUTES thread_attributes, BOOL inherit_handles, DWORD flags, LPVOID environment,
                    LPCSTR directory, LPSTARTUPINFOA startup, LPPROCESS_INFORMATION info);
// STILL_ACTIVE while the child runs.
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exit_code);

// ---- files ---------------------------------------------------------------------------------
// Synchronous files over POSIX descriptors (never inherited by children),
// made and written; reading goes through the C and C++ file layers.
// Sharing modes, attributes and hints are accepted; there is no locking.
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_HIDDEN 0x00000002u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100u
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000u
#define FILE_FLAG_RANDOM_ACCESS 0x10000000u

// Overlapped (asynchronous) I/O is not supported: pass null.
struct OVERLAPPED;
typedef OVERLAPPED* LPOVERLAPPED;

// INVALID_HANDLE_VALUE and the last error on failure. CREATE_ALWAYS and
// OPEN_ALWAYS on an existing file succeed with last error ERROR_ALREADY_EXISTS.
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share_mode, LPSECURITY_ATTRIBUTES attributes,
                   DWORD disposition, DWORD flags_and_attributes, HANDLE template_file);
// Writes all `size` bytes or fails; *written says how many made it.
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
BOOL DeleteFileA(LPCSTR name);
// The POSIX path of the current directory; characters written without the
// terminator, or the buffer size needed (with it) when `size` is too small.
DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer);
