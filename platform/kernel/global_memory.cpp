// Global memory blocks. A fixed block's handle is its memory; a moveable
// block's handle is a separate token that GlobalLock turns into a pointer,
// which stays valid until the block is resized or freed. Every live block is
// in one table, so unknown or freed handles fail cleanly.
// Depends on: the C allocator. Shares no memory between processes.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/kernel32.h"

namespace {

struct Block {
  void* memory = nullptr;
  SIZE_T size = 0;
  bool moveable = false;
  DWORD lock_count = 0;
};

struct BlockTable {
  std::mutex mutex;
  std::unordered_map<HGLOBAL, Block> blocks;
  uintptr_t next_token = 0x10;
};

BlockTable& blocks() {
  static BlockTable* instance = new BlockTable;
  return *instance;
}

// malloc(0) may return null; every block owns at least one byte.
void* allocate(SIZE_T bytes) { return std::malloc(bytes == 0 ? 1 : bytes); }

// Moveable handles are odd token values that can never be a malloc pointer.
HGLOBAL next_moveable_handle(BlockTable& t) {
  const uintptr_t value = t.next_token;
  t.next_token += 0x10;
  return reinterpret_cast<HGLOBAL>(value | 1u);
}

// The block behind a handle (the table's lock held); the end, with the last
// error ERROR_INVALID_HANDLE, for an unknown handle.
std::unordered_map<HGLOBAL, Block>::iterator find_block(BlockTable& t, HGLOBAL memory) {
  const auto it = t.blocks.find(memory);
  if (it == t.blocks.end()) SetLastError(ERROR_INVALID_HANDLE);
  return it;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  void* memory = allocate(bytes);
  if (memory == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (flags & GMEM_ZEROINIT) std::memset(memory, 0, bytes);
  BlockTable& t = blocks();
  std::lock_guard<std::mutex> lock(t.mutex);
  const bool moveable = (flags & GMEM_MOVEABLE) != 0;
  const HGLOBAL handle = moveable ? next_moveable_handle(t) : memory;
  t.blocks[handle] = Block{memory, bytes, moveable, 0};
  return handle;
}

HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, UINT flags) {
  BlockTable& t = blocks();
  std::lock_guard<std::mutex> lock(t.mutex);
  const auto it = find_block(t, memory);
  if (it == t.blocks.end()) return nullptr;
  Block block = it->second;
  // A fixed block may move only when the caller allows it (its handle then
  // changes with it); otherwise it can only shrink in place.
  if (!block.moveable && !(flags & GMEM_MOVEABLE)) {
    if (bytes > block.size) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    it->second.size = bytes;
    return memory;
  }
  void* resized = std::realloc(block.memory, bytes == 0 ? 1 : bytes);
  if (resized == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if ((flags & GMEM_ZEROINIT) && bytes > block.size) {
    std::memset(static_cast<char*>(resized) + block.size, 0, bytes - block.size);
  }
  block.memory = resized;
  block.size = bytes;
  if (block.moveable) {
    it->second = block;
    return memory;
  }
  t.blocks.erase(it);
  t.blocks[resized] = block;
  return resized;
}

LPVOID GlobalLock(HGLOBAL memory) {
  BlockTable& t = blocks();
  std::lock_guard<std::mutex> lock(t.mutex);
  const auto it = find_block(t, memory);
  if (it == t.blocks.end()) return nullptr;
  if (it->second.moveable) ++it->second.lock_count;
  return it->second.memory;
}

// Nonzero while the block stays locked; zero once unlocked, with the last
// error ERROR_NOT_LOCKED when it was not locked at all.
BOOL GlobalUnlock(HGLOBAL memory) {
  BlockTable& t = blocks();
  std::lock_guard<std::mutex> lock(t.mutex);
  const auto it = find_block(t, memory);
  if (it == t.blocks.end()) return FALSE;
  Block& block = it->second;
  if (block.lock_count == 0) {
    SetLastError(block.moveable ? ERROR_NOT_LOCKED : ERROR_SUCCESS);
    return FALSE;
  }
  if (--block.lock_count == 0) {
    SetLastError(ERROR_SUCCESS);
    return FALSE;
  }
  return TRUE;
}

SIZE_T GlobalSize(HGLOBAL memory) {
  BlockTable& t = blocks();
  std::lock_guard<std::mutex> lock(t.mutex);
  const auto it = find_block(t, memory);
  if (it == t.blocks.end()) return 0;
  return it->second.size;
}

// Null on success; the handle back on failure.
HGLOBAL GlobalFree(HGLOBAL memory) {
  BlockTable& t = blocks();
  std::lock_guard<std::mutex> lock(t.mutex);
  const auto it = find_block(t, memory);
  if (it == t.blocks.end()) return memory;
  std::free(it->second.memory);
  t.blocks.erase(it);
  return nullptr;
}
