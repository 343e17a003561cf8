// Files: CreateFileA over POSIX descriptors and WriteFile. A file handle is a
// kernel object, closed by CloseHandle and always signalled; its descriptor
// is never inherited. Depends on: the handle table, posix_path, the errno
// mapping. Reading and seeking are left to the C and C++ file layers.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "kernel/kernel_object.h"
#include "kernel/system_errors.h"

namespace platform::kernel {
namespace {

class FileObject : public KernelObject {
 public:
  FileObject(int fd, bool writable) : fd_(fd), writable_(writable) {}
  ~FileObject() override { close(fd_); }

  int fd() const { return fd_; }
  bool writable() const { return writable_; }

  // One write at a time, as on a synchronous Windows handle.
  std::mutex io;

 private:
  bool try_acquire() override { return true; }

  const int fd_;
  const bool writable_;
};

// CREATE_ALWAYS empties an existing file by putting a new empty one of the
// same permissions in its place, when that cannot be told apart through
// its name: a regular file of ours with no other name, which we may open
// for writing. ext4 writes a file that was truncated to nothing out to disk
// when it is closed, which costs milliseconds even for small files; a new
// file stays in memory until the system writes it back. True when the old
// file is gone; false leaves it to be truncated in place.
bool unlinked_for_replacement(const std::string& path, int access, mode_t* mode) {
  const int probe = open(path.c_str(), (access & ~O_ACCMODE) | O_WRONLY | O_NOFOLLOW);
  if (probe < 0) return false;
  struct stat info;
  const bool replaceable = fstat(probe, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
                           info.st_uid == geteuid() && info.st_size > 0;
  close(probe);
  if (!replaceable || unlink(path.c_str()) != 0) return false;
  *mode = info.st_mode & 07777;
  return true;
}

// Opens `path` for CreateFile's disposition; -1 with errno on failure.
// *existed tells CREATE_ALWAYS and OPEN_ALWAYS whether the file was there.
int open_for(const std::string& path, int access, DWORD disposition, mode_t mode, bool* existed) {
  *existed = false;
  switch (disposition) {
    case CREATE_NEW: return open(path.c_str(), access | O_CREAT | O_EXCL, mode);
    case OPEN_EXISTING: return open(path.c_str(), access);
    case TRUNCATE_EXISTING: return open(path.c_str(), access | O_TRUNC);
    case CREATE_ALWAYS:
    case OPEN_ALWAYS: {
      const int existing = access | (disposition == CREATE_ALWAYS ? O_TRUNC : 0);
      // Retried when the file disappears or appears between the two opens.
      mode_t replaced_mode = 0;
      bool replacing = false;
      for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = open(path.c_str(), access | O_CREAT | O_EXCL, replacing ? 0600 : mode);
        if (fd >= 0 && replacing) fchmod(fd, replaced_mode);
        if (fd >= 0 || errno != EEXIST) return fd;
        *existed = true;
        if (disposition == CREATE_ALWAYS && !replacing && unlinked_for_replacement(path, access, &replaced_mode)) {
          replacing = true;
          continue;
        }
        const int reopened = open(path.c_str(), existing);
        if (reopened >= 0 || errno != ENOENT) return reopened;
        *existed = false;
      }
      return -1;
    }
    default: errno = EINVAL; return -1;
  }
}

HANDLE create_file(const char* name, DWORD access, DWORD disposition, DWORD flags_and_attributes) {
  const bool read = (access & GENERIC_READ) != 0, write = (access & GENERIC_WRITE) != 0;
  if (name == nullptr || (disposition == TRUNCATE_EXISTING && !write)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const std::string path = posix_path(name);
  const int mode_flags = (write ? (read ? O_RDWR : O_WRONLY) : O_RDONLY) | O_CLOEXEC;
  const mode_t mode = (flags_and_attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  bool existed = false;
  const int fd = open_for(path, mode_flags, disposition, mode, &existed);
  if (fd < 0) {
    SetLastError(error_for_path(errno, path));
    return INVALID_HANDLE_VALUE;
  }
  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {  // folders are not files
    close(fd);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  if (flags_and_attributes & FILE_FLAG_SEQUENTIAL_SCAN) posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  if (flags_and_attributes & FILE_FLAG_RANDOM_ACCESS) posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
  try {
    HANDLE handle = insert_handle(std::make_shared<FileObject>(fd, write));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
  } catch (const std::bad_alloc&) {
    close(fd);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
}

}  // namespace
}  // namespace platform::kernel

using platform::kernel::FileObject;

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD flags_and_attributes, HANDLE) {
  return platform::kernel::create_file(name, access, disposition, flags_and_attributes);
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
  if (written != nullptr) *written = 0;
  const auto f = platform::kernel::find_handle_as<FileObject>(file);
  const DWORD refused = !f                                                         ? ERROR_INVALID_HANDLE
                        : overlapped != nullptr || (buffer == nullptr && size > 0) ? ERROR_INVALID_PARAMETER
                        : !f->writable()                                           ? ERROR_ACCESS_DENIED
                                                                                   : ERROR_SUCCESS;
  if (refused != ERROR_SUCCESS) {
    SetLastError(refused);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(f->io);
  DWORD done = 0;
  while (done < size) {
    const ssize_t n = ::write(f->fd(), static_cast<const char*>(buffer) + done, size - done);
    if (n > 0) {
      done += static_cast<DWORD>(n);
    } else if (n == 0 || errno != EINTR) {
      SetLastError(n == 0 ? ERROR_DISK_FULL : platform::kernel::error_of(errno));
      break;
    }
  }
  if (written != nullptr) *written = done;
  return done == size ? TRUE : FALSE;
}
