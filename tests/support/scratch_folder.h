// A fresh folder under the system's temporary folder that is the current
// directory while the object lives (removed with everything in it
// afterwards), a fixture built on it, and small whole-file helpers.
// Depends on: POSIX and std::filesystem. Tests nothing itself.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace test_support {

inline std::vector<uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

class scratch_folder {
 public:
  explicit scratch_folder(const char* prefix = "quillfern") : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "no scratch folder";
    path_ = pattern;
    std::filesystem::current_path(path_);
  }
  ~scratch_folder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  scratch_folder(const scratch_folder&) = delete;
  scratch_folder& operator=(const scratch_folder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_, path_;
};

// A fixture (on top of `Base`) whose tests each run in a scratch folder.
template <class Base = ::testing::Test>
class ScratchFolderTest : public Base {
 protected:
  scratch_folder scratch_;
};

}  // namespace test_support
