// The decoder's byte sources, and the Windows-to-native path rule. Files are
// read, not mapped: a mapped file that shrinks while it is decoded would
// kill the process with SIGBUS.
// Depends on: POSIX file calls, kernel32 (text conversion, posix_path). Decodes nothing.
#include "imaging/file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cwchar>
#include <new>

#include "platform/kernel32.h"

namespace platform::imaging {

uint8_t* ByteSource::allocate(size_t size) {
  owned_.reset(new (std::nothrow) uint8_t[size == 0 ? 1 : size]);
  if (!owned_) return nullptr;
  data_ = owned_.get();
  size_ = size;
  return owned_.get();
}

bool ByteSource::read_file(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info = {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
            uint64_t(info.st_size) <= max_source_bytes;
  uint8_t* bytes = ok ? allocate(size_t(info.st_size)) : nullptr;
  ok = bytes != nullptr;
  for (size_t done = 0; ok && done < size_;) {
    const ssize_t got = ::read(fd, bytes + done, size_ - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0)
      ok = false;  // an error, or the file shrank meanwhile
    else
      done += size_t(got);
  }
  ::close(fd);
  return ok;
}

std::string native_path(LPCWSTR path) {
  return posix_path(wide_to_multibyte(CP_UTF8, path));
}

bool is_url(LPCWSTR path) { return std::wcsstr(path, L"://") != nullptr; }

}  // namespace platform::imaging
