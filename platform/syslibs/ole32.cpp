// Ole32: CreateStreamOnHGlobal, a memory stream over a global memory block.
// Depends on: kernel32 (global memory), exports.h. Offers only CreateStreamOnHGlobal: no COM runtime.
//
// The stream's size is its own; the block is its capacity and grows (moving
// if it must) when a write goes past it. Reading past the end returns fewer
// bytes with S_OK, as the Windows HGLOBAL stream does. Seeking past the end
// is allowed; a write there fills the gap with zeros.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>

#include "platform/kernel32.h"
#include "syslibs/exports.h"

namespace platform::syslibs {
namespace {

class GlobalStream final : public IStream {
 public:
  GlobalStream(HGLOBAL memory, bool delete_on_release, ULONGLONG size)
      : memory_(memory), delete_on_release_(delete_on_release), size_(size) {}

  HRESULT Read(void* buffer, ULONG bytes, ULONG* read) override {
    if (buffer == nullptr) return STG_E_INVALIDPOINTER;
    std::lock_guard<std::mutex> lock(mutex_);
    const ULONGLONG available = position_ < size_ ? size_ - position_ : 0;
    const ULONG count = static_cast<ULONG>(std::min<ULONGLONG>(bytes, available));
    if (count > 0) {
      std::memcpy(buffer, static_cast<const char*>(GlobalLock(memory_)) + position_, count);
      GlobalUnlock(memory_);
    }
    position_ += count;
    if (read != nullptr) *read = count;
    return S_OK;
  }

  HRESULT Write(const void* buffer, ULONG bytes, ULONG* written) override {
    if (buffer == nullptr) return STG_E_INVALIDPOINTER;
    std::lock_guard<std::mutex> lock(mutex_);
    if (written != nullptr) *written = 0;
    const ULONGLONG end = position_ + bytes;
    if (!reserve(end)) return STG_E_MEDIUMFULL;
    char* base = static_cast<char*>(GlobalLock(memory_));
    if (position_ > size_) std::memset(base + size_, 0, static_cast<size_t>(position_ - size_));
    std::memcpy(base + position_, buffer, bytes);
    GlobalUnlock(memory_);
    position_ = end;
    size_ = std::max(size_, end);
    if (written != nullptr) *written = bytes;
    return S_OK;
  }

  HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULONGLONG* position) override {
    std::lock_guard<std::mutex> lock(mutex_);
    LONGLONG base;
    switch (origin) {
      case STREAM_SEEK_SET: base = 0; break;
      case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(position_); break;
      case STREAM_SEEK_END: base = static_cast<LONGLONG>(size_); break;
      default: return STG_E_INVALIDFUNCTION;
    }
    LONGLONG target;
    if (__builtin_add_overflow(base, move.QuadPart, &target) || target < 0) return STG_E_INVALIDFUNCTION;
    position_ = static_cast<ULONGLONG>(target);
    if (position != nullptr) *position = position_;
    return S_OK;
  }

  HRESULT GetSize(ULONGLONG* size) override {
    if (size == nullptr) return STG_E_INVALIDPOINTER;
    std::lock_guard<std::mutex> lock(mutex_);
    *size = size_;
    return S_OK;
  }

  ULONG AddRef() override { return ++references_; }

  ULONG Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  ~GlobalStream() override {
    if (delete_on_release_) GlobalFree(memory_);
  }

  // Makes the block hold at least `bytes`, growing it geometrically.
  bool reserve(ULONGLONG bytes) {
    const SIZE_T capacity = GlobalSize(memory_);
    if (bytes <= capacity) return true;
    if (bytes > SIZE_MAX / 2) return false;
    const SIZE_T grown = std::max<SIZE_T>(static_cast<SIZE_T>(bytes), capacity * 2);
    const HGLOBAL resized = GlobalReAlloc(memory_, grown, GMEM_MOVEABLE);
    if (resized == nullptr) return false;
    memory_ = resized;
    return true;
  }

  std::mutex mutex_;
  HGLOBAL memory_;
  const bool delete_on_release_;
  ULONGLONG size_;
  ULONGLONG position_ = 0;
  std::atomic<ULONG> references_{1};
};

// A null `memory` makes a new, empty block, which the stream frees on its
// last Release (nothing else can reach it); otherwise the stream starts with
// the block's contents and size.
HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL delete_on_release, IStream** stream) {
  if (stream == nullptr) return E_INVALIDARG;
  *stream = nullptr;
  if (memory == nullptr) {
    memory = GlobalAlloc(GMEM_MOVEABLE, 0);
    if (memory == nullptr) return E_OUTOFMEMORY;
    delete_on_release = TRUE;
  } else if (GlobalLock(memory) == nullptr) {
    return E_INVALIDARG;
  } else {
    GlobalUnlock(memory);
  }
  *stream = new GlobalStream(memory, delete_on_release != FALSE, GlobalSize(memory));
  return S_OK;
}

}  // namespace

ExportTable ole32_exports() {
  static const Export exports[] = {
      {"CreateStreamOnHGlobal", export_address(CreateStreamOnHGlobal)},
  };
  return export_table(exports);
}

}  // namespace platform::syslibs
