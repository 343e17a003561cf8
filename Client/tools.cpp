// External tools: "bin\pngslim.exe" and "bin\encfile.exe", started without a
// console window and waited for.

#include "Client/tools.h"

#include <vector>

#include "graphics/frond.h"

namespace quillfern {

std::string pngslim_command() { return "bin\\pngslim.exe temp\\image2.png temp\\image3.png"; }

std::string encrypt_command(const std::string& key_material) {
  return "bin\\encfile.exe temp\\image3.png temp\\image4.enc " + key_material;
}

std::string decrypt_command(const std::string& key_material) {
  return "bin\\encfile.exe temp\\image5.enc temp\\image6.png " + key_material;
}

void run_command(const std::string& command_line) {
  std::vector<char> buffer(command_line.begin(), command_line.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process))
    return;
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

void run_pngslim() { run_command(pngslim_command()); }

void encrypt_capture(const std::string& key_material) { run_command(encrypt_command(key_material)); }

void decrypt_received(const std::string& key_material) { run_command(decrypt_command(key_material)); }

}  // namespace quillfern
