// Files through CreateFile, ReadFile, WriteFile, SetFilePointer and
// GetFileSize; '\' paths; DeleteFile and GetCurrentDirectory.
#include <sys/stat.h>

#include <cstring>

#include "scratch_folder.h"

namespace {

using process_test::ScratchFolder;

class FilesTest : public ScratchFolder {
 protected:
  static HANDLE open_file(const char* name, DWORD access, DWORD disposition) {
    return CreateFileA(name, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                       nullptr);
  }

  static void write_text(const char* name, const std::string& text) {
    const HANDLE file = open_file(name, GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
    EXPECT_EQ(written, text.size());
    EXPECT_TRUE(CloseHandle(file));
  }

  static std::string read_text(const char* name) {
    const HANDLE file = open_file(name, GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return "(cannot open)";
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr));
    EXPECT_EQ(read, text.size());
    CloseHandle(file);
    return text;
  }

  // Opens `name`, expects CreateFile to have left `error` (unless ~0u), and gives the size it found.
  static DWORD size_on_open(const char* name, DWORD access, DWORD disposition, DWORD error = ~0u) {
    SetLastError(0xBAD);
    const HANDLE file = open_file(name, access, disposition);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << name;
    if (error != ~0u) { EXPECT_EQ(GetLastError(), error) << name; }
    const DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    return size;
  }

  // Whether CreateFile fails with exactly `error`.
  static ::testing::AssertionResult fails_with(const char* name, DWORD access, DWORD disposition, DWORD error) {
    SetLastError(ERROR_SUCCESS);
    const HANDLE file = open_file(name, access, disposition);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return ::testing::AssertionFailure() << name << " opened";
    }
    if (GetLastError() != error) return ::testing::AssertionFailure() << "last error " << GetLastError();
    return ::testing::AssertionSuccess();
  }
};

TEST_F(FilesTest, WrittenBytesReadBackExactly) {
  std::string data(70000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 31 + 7);
  const HANDLE file = open_file("data.bin", GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "a new file";
  DWORD written = 99;
  EXPECT_TRUE(WriteFile(file, data.data(), 14, &written, nullptr));
  EXPECT_EQ(written, 14u);
  EXPECT_TRUE(WriteFile(file, nullptr, 0, &written, nullptr));
  EXPECT_EQ(written, 0u);
  EXPECT_TRUE(WriteFile(file, data.data() + 14, static_cast<DWORD>(data.size() - 14), &written, nullptr));
  EXPECT_EQ(GetFileSize(file, nullptr), 70000u);
  EXPECT_EQ(WaitForSingleObject(file, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_FALSE(CloseHandle(file));

  const HANDLE in = open_file("data.bin", GENERIC_READ, OPEN_EXISTING);
  ASSERT_NE(in, INVALID_HANDLE_VALUE);
  std::string back(80000, 'x');
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(in, back.data(), 80000, &read, nullptr));
  EXPECT_EQ(read, 70000u);
  back.resize(read);
  EXPECT_EQ(back, data);
  EXPECT_TRUE(ReadFile(in, back.data(), 10, &read, nullptr)) << "the end of the file is no error";
  EXPECT_EQ(read, 0u);
  EXPECT_FALSE(WriteFile(in, "x", 1, &written, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(CloseHandle(in));
  EXPECT_FALSE(ReadFile(in, back.data(), 1, &read, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(FilesTest, DispositionsCreateTruncateAndRefuseAsDocumented) {
  write_text("a.txt", std::string(100, 'a'));
  const HANDLE again = open_file("a.txt", GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(again, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(GetFileSize(again, nullptr), 0u) << "CREATE_ALWAYS truncates";
  DWORD read = 0;
  char byte;
  EXPECT_FALSE(ReadFile(again, &byte, 1, &read, nullptr)) << "opened for writing only";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(again);

  write_text("a.txt", "kept");
  EXPECT_EQ(size_on_open("a.txt", GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, ERROR_ALREADY_EXISTS), 4u);
  EXPECT_EQ(size_on_open("b.txt", GENERIC_WRITE, OPEN_ALWAYS, ERROR_SUCCESS), 0u);
  EXPECT_EQ(size_on_open("a.txt", GENERIC_WRITE, TRUNCATE_EXISTING), 0u);

  EXPECT_TRUE(fails_with("a.txt", GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS));
  EXPECT_TRUE(fails_with("a.txt", GENERIC_READ, TRUNCATE_EXISTING, ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(fails_with("a.txt", GENERIC_READ, 0, ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(fails_with("missing.txt", GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(fails_with("missing.txt", GENERIC_WRITE, TRUNCATE_EXISTING, ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(fails_with(R"(nowhere\c.txt)", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(fails_with("bin", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED)) << "a folder";
  EXPECT_FALSE(std::filesystem::exists("missing.txt"));
}

TEST_F(FilesTest, BackslashPathsLandInSubfolders) {
  std::filesystem::create_directories("temp/deeper");
  write_text(R"(temp\image1.bmp)", "BM");
  write_text(R"(temp\deeper\x.txt)", "x");
  const std::string absolute = (folder_ / "temp").string() + R"(\abs.txt)";
  write_text(absolute.c_str(), "abs");
  const HANDLE wide = CreateFileW(L"temp\\wide.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(wide, INVALID_HANDLE_VALUE);
  CloseHandle(wide);
  EXPECT_EQ(read_text("temp/image1.bmp"), "BM");
  EXPECT_EQ(read_text("temp/deeper/x.txt"), "x");
  EXPECT_EQ(read_text("temp/abs.txt"), "abs");
  EXPECT_TRUE(std::filesystem::exists("temp/wide.txt"));
  EXPECT_FALSE(std::filesystem::exists(R"(temp\image1.bmp)"));

  EXPECT_EQ(platform::posix_path(R"(temp\image2.png)"), "temp/image2.png");
  EXPECT_EQ(platform::posix_path(R"(/srv\run/x\)"), "/srv/run/x/");
  EXPECT_EQ(platform::posix_path(""), "");

  EXPECT_TRUE(DeleteFileA(R"(temp\image1.bmp)"));
  EXPECT_FALSE(std::filesystem::exists("temp/image1.bmp"));
  EXPECT_FALSE(DeleteFileA(R"(temp\image1.bmp)"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(DeleteFileA(R"(gone\x.txt)"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(DeleteFileA("temp"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(DeleteFileW(L"temp\\wide.txt"));
}

TEST_F(FilesTest, TheFilePointerMovesAsDocumented) {
  write_text("digits.txt", "0123456789");
  const HANDLE file = open_file("digits.txt", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char three[4] = {};
  DWORD read = 0;
  EXPECT_EQ(SetFilePointer(file, 4, nullptr, FILE_BEGIN), 4u);
  EXPECT_TRUE(ReadFile(file, three, 3, &read, nullptr));
  EXPECT_STREQ(three, "456");
  EXPECT_EQ(SetFilePointer(file, -2, nullptr, FILE_CURRENT), 5u);
  EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_END), 9u);

  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(SetFilePointer(file, -11, nullptr, FILE_END), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 9u) << "unchanged by the failed move";
  EXPECT_EQ(SetFilePointer(file, 0, nullptr, 7), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  LONG high = 1;
  EXPECT_EQ(SetFilePointer(file, 3, &high, FILE_BEGIN), 3u);
  EXPECT_EQ(high, 1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  high = 0;
  EXPECT_EQ(SetFilePointer(file, 0, &high, FILE_CURRENT), 3u);
  EXPECT_EQ(high, 1) << "4 GiB + 3";
  EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER) << "beyond 32 bits";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  DWORD size_high = 9;
  EXPECT_EQ(GetFileSize(file, &size_high), 10u);
  EXPECT_EQ(size_high, 0u);
  EXPECT_EQ(GetFileSize(nullptr, &size_high), INVALID_FILE_SIZE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  CloseHandle(file);
}

TEST_F(FilesTest, CurrentDirectoryFollowsTheBufferConvention) {
  const std::string cwd = std::filesystem::current_path().string();
  const DWORD needed = static_cast<DWORD>(cwd.size() + 1);
  EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), needed);
  std::string small(cwd.size(), '#');
  EXPECT_EQ(GetCurrentDirectoryA(static_cast<DWORD>(small.size()), small.data()), needed);
  EXPECT_EQ(small, std::string(cwd.size(), '#')) << "untouched when too small";
  std::vector<char> exact(needed);
  EXPECT_EQ(GetCurrentDirectoryA(needed, exact.data()), needed - 1);
  EXPECT_EQ(std::string(exact.data()), cwd);

  std::vector<wchar_t> wide(needed);
  EXPECT_EQ(GetCurrentDirectoryW(needed, wide.data()), needed - 1);  // an ASCII path
  EXPECT_EQ(std::wstring(wide.data()), std::wstring(cwd.begin(), cwd.end()));
  EXPECT_EQ(GetCurrentDirectoryW(1, wide.data()), needed);
}

}  // namespace
