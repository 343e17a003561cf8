// Reads the width and height from a PNG's header chunk (bytes 16 to 23,
// big-endian, right after the signature and the chunk's length and type).
// Depends on: the platform's path conversion; decodes nothing.

#include "Client/picture_size.h"

#include <cstring>
#include <fstream>

#include "platform/kernel32.h"

namespace quillfern {

bool png_larger_than(const char* path, unsigned limit) {
  static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  unsigned char head[24];
  std::ifstream file(platform::posix_path(path), std::ios::binary);
  if (!file.read(reinterpret_cast<char*>(head), sizeof head)) return false;
  if (std::memcmp(head, signature, 8) != 0 || std::memcmp(head + 12, "IHDR", 4) != 0) return false;
  const auto big_endian = [](const unsigned char* p) {
    return unsigned(p[0]) << 24 | unsigned(p[1]) << 16 | unsigned(p[2]) << 8 | unsigned(p[3]);
  };
  return big_endian(head + 16) > limit || big_endian(head + 20) > limit;
}

}  // namespace quillfern
