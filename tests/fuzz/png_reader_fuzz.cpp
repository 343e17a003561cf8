// libFuzzer target: the library's PNG reader on arbitrary bytes, from
// memory and through a FILE, must end in a result and a valid image.
// Depends on: Frond's PNG reader (graphics/image_files.h). Exact pixels are pinned by
// tests/frond_image_files.
#include <cstdio>

#include "graphics/frond.h"
#include "graphics/image_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static frond::IMAGE* image = frond::newimage();
  frond::readpngmemory(image, data, size);
  if (FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb")) {
    frond::readpngfile(image, file);
    std::fclose(file);
  }
  image->check_magic(L"fuzz");
  return 0;
}
