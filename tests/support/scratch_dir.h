// Scratch folders for tests: a fresh folder under the system's temporary
// folder, optionally the current directory while it lives, removed with all
// its contents at the end; and whole-file reads and writes.
// Depends on: POSIX mkdtemp and std::filesystem. Not a test fixture itself.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

class ScratchFolder {
 public:
  enum Entry { stay_outside, enter };

  explicit ScratchFolder(Entry entry = stay_outside) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillfern-test.XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    if (entry == enter) {
      previous_ = std::filesystem::current_path();
      std::filesystem::current_path(path_);
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  // The names in the folder or in one below it (not recursive), sorted.
  std::vector<std::string> names(const std::string& sub = "") const {
    std::vector<std::string> result;
    for (const auto& entry : std::filesystem::directory_iterator(sub.empty() ? path_ : path_ + "/" + sub))
      result.push_back(entry.path().filename().string());
    std::sort(result.begin(), result.end());
    return result;
  }

 private:
  std::string path_;
  std::filesystem::path previous_;
};

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline bool file_exists(const std::string& path) { return std::filesystem::exists(path); }
