// CreateDCA for the display: a DC over the whole screen, as GetDC(NULL)
// gives, that DeleteDC ends. Printers and other devices do not exist here.
// Depends on: dc (the screen DC). Opens no printer, metafile or other device.
#include <cctype>

#include "gdi/dc.h"

namespace platform::gdi {
namespace {

// Device names compare without regard to case, as on Windows.
bool same_name(const char* name, const char* expected) {
  for (; *name != 0 && *expected != '\0'; ++name, ++expected) {
    if (std::tolower(static_cast<unsigned char>(*name)) != std::tolower(static_cast<unsigned char>(*expected))) return false;
  }
  return *name == 0 && *expected == '\0';
}

bool names_display(const char* driver, const char* device) {
  if (driver != nullptr) return same_name(driver, "DISPLAY");
  return device != nullptr && same_name(device, "\\\\.\\DISPLAY1");
}

HDC create_display_dc() {
  try {
    const auto dc = new_dc_record(true);
    dc->display_dc = true;
    return static_cast<HDC>(register_object(dc));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace
}  // namespace platform::gdi

HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR, const DEVMODEA*) {
  return platform::gdi::names_display(driver, device) ? platform::gdi::create_display_dc() : nullptr;
}
