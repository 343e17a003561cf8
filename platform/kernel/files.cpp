// Files: CreateFileA/W over POSIX descriptors, ReadFile, WriteFile,
// SetFilePointer and GetFileSize. A file handle is a kernel object, closed
// by CloseHandle and always signalled; its descriptor is never inherited.
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
  FileObject(int fd, bool readable, bool writable) : fd_(fd), readable_(readable), writable_(writable) {}
  ~FileObject() override { close(fd_); }

  int fd() const { return fd_; }
  bool readable() const { return readable_; }
  bool writable() const { return writable_; }

  // One read, write or move of the file pointer at a time, as on a
  // synchronous Windows handle.
  std::mutex io;

 private:
  bool try_acquire() override { return true; }

  const int fd_;
  const bool readable_;
  const bool writable_;
};

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
      for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = open(path.c_str(), access | O_CREAT | O_EXCL, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
        *existed = true;
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
    HANDLE handle = insert_handle(std::make_shared<FileObject>(fd, read, write));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
  } catch (const std::bad_alloc&) {
    close(fd);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
}

// The file behind `handle` when the transfer may go ahead; null with the last error set otherwise.
std::shared_ptr<FileObject> transfer_target(HANDLE handle, const void* buffer, DWORD size, LPOVERLAPPED overlapped,
                                            bool (FileObject::*allowed)() const) {
  auto file = find_handle_as<FileObject>(handle);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (overlapped != nullptr || (buffer == nullptr && size > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!((*file).*allowed)()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return file;
}

// Repeats `call` (read or write) until `size` bytes have moved, the end of
// the file, or an error; returns the bytes moved and sets *failed on error.
template <class Call>
DWORD transfer(DWORD size, bool* failed, Call call) {
  DWORD done = 0;
  *failed = false;
  while (done < size) {
    const ssize_t n = call(done, size - done);
    if (n > 0) {
      done += static_cast<DWORD>(n);
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      SetLastError(error_of(errno));
      *failed = true;
      break;
    }
  }
  return done;
}

}  // namespace
}  // namespace platform::kernel

using platform::kernel::FileObject;

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD flags_and_attributes, HANDLE) {
  return platform::kernel::create_file(name, access, disposition, flags_and_attributes);
}

HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD flags_and_attributes, HANDLE) {
  try {
    const std::string name8 = name ? platform::wide_to_multibyte(CP_UTF8, name) : "";
    return platform::kernel::create_file(name ? name8.c_str() : nullptr, access, disposition, flags_and_attributes);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped) {
  if (read != nullptr) *read = 0;
  const auto f = platform::kernel::transfer_target(file, buffer, size, overlapped, &FileObject::readable);
  if (!f) return FALSE;
  std::lock_guard<std::mutex> lock(f->io);
  bool failed = false;
  const DWORD done = platform::kernel::transfer(size, &failed, [&](DWORD offset, DWORD count) {
    return ::read(f->fd(), static_cast<char*>(buffer) + offset, count);
  });
  if (read != nullptr) *read = done;
  return failed ? FALSE : TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
  if (written != nullptr) *written = 0;
  const auto f = platform::kernel::transfer_target(file, buffer, size, overlapped, &FileObject::writable);
  if (!f) return FALSE;
  std::lock_guard<std::mutex> lock(f->io);
  bool failed = false;
  const DWORD done = platform::kernel::transfer(size, &failed, [&](DWORD offset, DWORD count) {
    return ::write(f->fd(), static_cast<const char*>(buffer) + offset, count);
  });
  if (written != nullptr) *written = done;
  return failed ? FALSE : TRUE;
}

// Without `distance_high` the distance is a signed 32-bit value and the new
// position must fit in 32 bits. A position before the start fails with
// ERROR_NEGATIVE_SEEK and leaves the pointer where it was.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distance_high, DWORD method) {
  const auto f = platform::kernel::find_handle_as<FileObject>(file);
  if (!f) {
    SetLastError(ERROR_INVALID_HANDLE);
    return INVALID_SET_FILE_POINTER;
  }
  const int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : -1;
  if (whence < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  const off_t offset =
      distance_high == nullptr
          ? off_t{distance}
          : static_cast<off_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distance_high)) << 32) |
                               static_cast<uint32_t>(distance));
  std::lock_guard<std::mutex> lock(f->io);
  const off_t previous = lseek(f->fd(), 0, SEEK_CUR);
  const off_t position = lseek(f->fd(), offset, whence);
  if (position < 0) {
    SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : platform::kernel::error_of(errno));
    return INVALID_SET_FILE_POINTER;
  }
  if (distance_high == nullptr && position > off_t{0xFFFFFFFF}) {
    lseek(f->fd(), previous, SEEK_SET);
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (distance_high != nullptr) *distance_high = static_cast<LONG>(static_cast<uint64_t>(position) >> 32);
  SetLastError(ERROR_SUCCESS);  // tells a position whose low part is 0xFFFFFFFF from a failure
  return static_cast<DWORD>(position);
}

DWORD GetFileSize(HANDLE file, LPDWORD size_high) {
  const auto f = platform::kernel::find_handle_as<FileObject>(file);
  struct stat info;
  if (!f || fstat(f->fd(), &info) != 0) {
    SetLastError(f ? platform::kernel::error_of(errno) : ERROR_INVALID_HANDLE);
    return INVALID_FILE_SIZE;
  }
  const uint64_t size = static_cast<uint64_t>(info.st_size);
  if (size_high != nullptr) *size_high = static_cast<DWORD>(size >> 32);
  SetLastError(ERROR_SUCCESS);  // tells a size whose low part is 0xFFFFFFFF from a failure
  return static_cast<DWORD>(size);
}
