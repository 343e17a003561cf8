// A fixture that runs each test in a fresh scratch folder as the current
// directory (removed afterwards), with small file helpers.
// Depends on: POSIX file calls. Tests nothing itself.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/graphics_fixture.h"

namespace image_files_test {

inline std::vector<uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

class ScratchFolderTest : public frond_test::GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    char name[] = "/tmp/frond_image_files_XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    folder_ = name;
    ASSERT_NE(getcwd(previous_, sizeof previous_), nullptr);
    ASSERT_EQ(chdir(folder_.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(previous_), 0);
    std::system(("rm -rf '" + folder_ + "'").c_str());
    GraphicsTest::TearDown();
  }

  std::string folder_;
  char previous_[4096] = {};
};

}  // namespace image_files_test
