// Where the platform decoder's bytes come from: a whole file named by a
// Windows-style path, or a stream's bytes, read into memory.
// Depends on: wintypes.h. Decodes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/wintypes.h"

namespace platform::imaging {

// The largest file or stream the decoder reads: a picture of the largest
// size at 32 bits, with room for headers.
constexpr size_t max_source_bytes = (size_t(1) << 30) + (size_t(1) << 20);

class ByteSource {
 public:
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

  // Room for `size` bytes, to be filled; null without memory.
  uint8_t* allocate(size_t size);
  // Reads a regular file whole; false when it cannot be opened or read, or
  // is larger than max_source_bytes.
  bool read_file(const std::string& path);

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  std::unique_ptr<uint8_t[]> owned_;
};

// The file-system form of a path: UTF-8, with '\' turned into '/'. A path
// starting with '/' is absolute; any other is relative to the current
// directory. Empty when the text cannot be converted.
std::string native_path(LPCWSTR path);

// True for a path naming a network resource ("http://..." and the like),
// which the decoder never opens.
bool is_url(LPCWSTR path);

}  // namespace platform::imaging
