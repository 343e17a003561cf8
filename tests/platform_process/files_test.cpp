// Files through CreateFileA and WriteFile (read back through the C++ streams),
// the dispositions' rules, what replacing a file keeps, '\' paths,
// DeleteFileA and GetCurrentDirectoryW.
// Depends on: support/scratch_folder.h (a fresh current directory).
#include <sys/stat.h>

#include "platform/kernel32.h"
#include "support/scratch_folder.h"

namespace {

class FilesTest : public test_support::ScratchFolderTest<> {
 protected:
  static HANDLE open_file(const char* name, DWORD access, DWORD disposition) {
    return CreateFileA(name, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                       nullptr);
  }

  static void write_text(const char* name, const std::string& text, DWORD disposition = CREATE_ALWAYS) {
    const HANDLE file = open_file(name, GENERIC_WRITE, disposition);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
    EXPECT_EQ(written, text.size());
    EXPECT_TRUE(CloseHandle(file));
  }

  static std::string read_text(const char* name) {
    const std::vector<uint8_t> bytes = test_support::read_bytes(name);
    return std::string(bytes.begin(), bytes.end());
  }
};

TEST_F(FilesTest, WrittenBytesArriveExactlyThroughAnOpenWritableHandle) {
  std::string data(70000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 31 + 7);
  write_text("data.bin", data);
  EXPECT_EQ(read_text("data.bin"), data);

  const HANDLE in = open_file("data.bin", GENERIC_READ, OPEN_EXISTING);
  DWORD written = 99;
  EXPECT_FALSE(WriteFile(in, "x", 1, &written, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(written, 0u);
  EXPECT_TRUE(CloseHandle(in));
  EXPECT_FALSE(CloseHandle(in));
  EXPECT_FALSE(WriteFile(in, "x", 1, &written, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(FilesTest, DispositionsCreateTruncateAndRefuseAsDocumented) {
  // One row per opening of an existing "a.txt" (10 bytes) or a missing file:
  // the last error left, and what the file holds after "ne" and "w" are
  // written (with an empty write between).
  const struct {
    const char* name;
    DWORD access, disposition, error;
    const char* after;  // null: the open must fail
  } rows[] = {
      {"a.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_ALREADY_EXISTS, "new"},
      {"a.txt", GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, ERROR_ALREADY_EXISTS, "new" "aaaaaaa"},
      {"b.txt", GENERIC_WRITE, OPEN_ALWAYS, ERROR_SUCCESS, "new"},
      {"b.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_SUCCESS, "new"},
      {"a.txt", GENERIC_WRITE, TRUNCATE_EXISTING, ERROR_SUCCESS, "new"},
      {"a.txt", GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS, nullptr},
      {"a.txt", GENERIC_READ, TRUNCATE_EXISTING, ERROR_INVALID_PARAMETER, nullptr},
      {"a.txt", GENERIC_READ, 0, ERROR_INVALID_PARAMETER, nullptr},
      {"missing.txt", GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND, nullptr},
      {"missing.txt", GENERIC_WRITE, TRUNCATE_EXISTING, ERROR_FILE_NOT_FOUND, nullptr},
      {R"(nowhere\c.txt)", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND, nullptr},
      {".", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED, nullptr},  // a folder
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " disposition " + std::to_string(row.disposition));
    write_text("a.txt", std::string(10, 'a'));
    std::filesystem::remove("b.txt");
    SetLastError(0xBAD);
    const HANDLE file = open_file(row.name, row.access, row.disposition);
    EXPECT_EQ(GetLastError(), row.error);
    EXPECT_EQ(file != INVALID_HANDLE_VALUE, row.after != nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "ne", 2, &written, nullptr));
    EXPECT_TRUE(WriteFile(file, nullptr, 0, &written, nullptr));
    EXPECT_TRUE(WriteFile(file, "w", 1, &written, nullptr));
    EXPECT_EQ(written, 1u);
    CloseHandle(file);
    EXPECT_EQ(read_text(row.name), row.after);
  }
  EXPECT_FALSE(std::filesystem::exists("missing.txt"));
}

// CREATE_ALWAYS over a file with content may put a new file in its place, but
// its names show what truncation leaves: the permissions, and the new bytes
// under every hard link.
TEST_F(FilesTest, EmptiedFilesKeepPermissionsAndLinks) {
  for (const bool linked : {false, true}) {
    std::ofstream("a.bin") << std::string(5000, 'x');
    ASSERT_EQ(chmod("a.bin", 0640) | (linked ? link("a.bin", "b.bin") : 0), 0);
    write_text("a.bin", "new");
    struct stat info {};
    EXPECT_TRUE(stat("a.bin", &info) == 0 && (info.st_mode & 0777) == 0640) << linked;
    EXPECT_EQ(read_text(linked ? "b.bin" : "a.bin"), "new") << linked;
    std::filesystem::remove("b.bin");
  }
}

TEST_F(FilesTest, BackslashPathsLandInSubfolders) {
  std::filesystem::create_directories("temp");
  write_text(R"(temp\image1.bmp)", "BM");
  EXPECT_EQ(read_text("temp/image1.bmp"), "BM");
  EXPECT_EQ(platform::posix_path(R"(/srv\run/x\)"), "/srv/run/x/");

  EXPECT_TRUE(DeleteFileA(R"(temp\image1.bmp)"));
  EXPECT_FALSE(std::filesystem::exists("temp/image1.bmp"));
  const std::pair<const char*, DWORD> refused[] = {{R"(temp\image1.bmp)", ERROR_FILE_NOT_FOUND},
                                                   {R"(gone\x.txt)", ERROR_PATH_NOT_FOUND},
                                                   {"temp", ERROR_ACCESS_DENIED}};
  for (const auto& [name, error] : refused) {
    EXPECT_FALSE(DeleteFileA(name)) << name;
    EXPECT_EQ(GetLastError(), error) << name;
  }
}

TEST_F(FilesTest, CurrentDirectoryFollowsTheBufferConvention) {
  const std::string cwd = std::filesystem::current_path().string();  // an ASCII path
  const DWORD needed = static_cast<DWORD>(cwd.size() + 1);
  EXPECT_EQ(GetCurrentDirectoryW(0, nullptr), needed);
  std::wstring small(cwd.size(), L'#');
  EXPECT_EQ(GetCurrentDirectoryW(static_cast<DWORD>(small.size()), small.data()), needed);
  EXPECT_EQ(small, std::wstring(cwd.size(), L'#')) << "untouched when too small";
  std::vector<wchar_t> exact(needed);
  EXPECT_EQ(GetCurrentDirectoryW(needed, exact.data()), needed - 1);
  EXPECT_EQ(std::wstring(exact.data()), std::wstring(cwd.begin(), cwd.end()));
}

}  // namespace
