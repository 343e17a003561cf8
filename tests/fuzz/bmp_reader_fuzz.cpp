// libFuzzer target: the platform decoder's strict BMP reader on arbitrary
// bytes, directly and through the library's memory loader.
// Depends on: platform/imaging's decoder and Frond's memory loader. Checks only what the sanitizers do;
// exact results are pinned by tests/platform_imaging.
#include "graphics/frond.h"
#include "imaging/decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::imaging::ArgbImage decoded;
  platform::imaging::decode_bmp(data, size, decoded);
  static frond::IMAGE* image = frond::newimage();
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') image->getimage(static_cast<const void*>(data), uint32_t(size));
  return 0;
}
