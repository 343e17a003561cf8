// External tools: "bin\pngslim.exe" and "bin\encfile.exe", started without a
// console window and waited for.
// Depends on: CreateProcessA of the platform and the terminal report; reads
// none of the tools' files.

#include "Client/tools.h"

#include <vector>

#include "Client/terminal_report.h"
#include "graphics/frond.h"

namespace quillfern {

std::string pngslim_command() { return "bin\\pngslim.exe temp\\image2.png temp\\image3.png"; }

std::string encrypt_command(const std::string& key_material) {
  return "bin\\encfile.exe temp\\image3.png temp\\image4.enc " + key_material;
}

std::string decrypt_command(const std::string& key_material) {
  return "bin\\encfile.exe temp\\image5.enc temp\\image6.png " + key_material;
}

int run_command(const std::string& command_line) {
  std::vector<char> buffer(command_line.begin(), command_line.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exit_code = 0;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return int(exit_code);
}

namespace {

// Runs one tool and tells the terminal when its outcome changes; the cycle
// goes on either way.
void run_tool(const std::string& command_line, const char* tool, const char* task, std::string& last_problem) {
  const int status = run_command(command_line);
  std::string problem;
  if (status < 0)
    problem = std::string("cannot start ") + tool + " (is it in bin/ of the run folder?)";
  else if (status != 0)
    problem = std::string(tool) + " failed to " + task + " (exit status " + std::to_string(status) + ")";
  report_change(last_problem, problem, std::string(tool) + " can " + task + " again");
}

std::string pngslim_problem, encrypt_problem, decrypt_problem;

}  // namespace

void run_pngslim() { run_tool(pngslim_command(), "bin/pngslim", "compress the picture", pngslim_problem); }
void encrypt_capture(const std::string& key_material) {
  run_tool(encrypt_command(key_material), "bin/encfile", "encrypt the picture", encrypt_problem);
}
void decrypt_received(const std::string& key_material) {
  run_tool(decrypt_command(key_material), "bin/encfile", "decrypt the partner's picture", decrypt_problem);
}

}  // namespace quillfern
