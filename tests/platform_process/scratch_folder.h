// A fresh folder that is the current directory for the length of a test,
// with the probe program reachable as bin/probe (so "bin\probe.exe" names
// it, as the client names its tools), and helpers to run it.
// Depends on: CreateProcessA and the probe's path (PROCESS_PROBE).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/kernel32.h"

namespace process_test {

// An all-zero start-up record with its size set, as callers prepare it.
template <class StartupInfo>
StartupInfo startup_record() {
  StartupInfo startup = {};
  startup.cb = sizeof startup;
  return startup;
}

class ScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "quillfern-process-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::filesystem::create_directory(folder_ / "bin");
    std::filesystem::create_symlink(PROCESS_PROBE, folder_ / "bin" / "probe");
    std::filesystem::current_path(folder_);
  }

  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

  // Starts `command_line` (with an application name, environment block and
  // directory when given); the handles in *info. False when it did not start.
  static bool start(const std::string& command_line, PROCESS_INFORMATION* info, DWORD flags = CREATE_NO_WINDOW,
                    const char* application = nullptr, void* environment = nullptr, const char* directory = nullptr) {
    std::string buffer = command_line;
    STARTUPINFOA startup = startup_record<STARTUPINFOA>();
    *info = {};
    SetLastError(ERROR_SUCCESS);
    return CreateProcessA(application, buffer.data(), nullptr, nullptr, FALSE, flags, environment, directory,
                          &startup, info) != FALSE;
  }

  // Waits for a started child, closes its handles and returns its exit code.
  static DWORD finish(const PROCESS_INFORMATION& info) {
    EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
    EXPECT_TRUE(CloseHandle(info.hProcess));
    EXPECT_TRUE(CloseHandle(info.hThread));
    return code;
  }

  // Runs `command_line` to its end: its exit code, or ~0u when it did not start.
  static DWORD run(const std::string& command_line, DWORD flags = CREATE_NO_WINDOW, const char* application = nullptr,
                   void* environment = nullptr, const char* directory = nullptr) {
    PROCESS_INFORMATION info;
    return start(command_line, &info, flags, application, environment, directory) ? finish(info) : ~0u;
  }

  // The fields the probe wrote to `path`.
  static std::vector<std::string> report(const std::string& path = "report") {
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> fields;
    for (size_t start = 0, end; (end = text.find('\0', start)) != std::string::npos; start = end + 1) {
      fields.push_back(text.substr(start, end - start));
    }
    return fields;
  }

  std::filesystem::path folder_;

 private:
  std::filesystem::path previous_;
};

}  // namespace process_test
