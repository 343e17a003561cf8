// CREATE_ALWAYS over a file with content: the file may be replaced by a new
// one, but what its names show stays as truncation leaves it: the
// permissions, and the new bytes under every hard link.
// Depends on: support/scratch_folder.h (a fresh current directory).
#include <sys/stat.h>
#include <unistd.h>

#include "platform/kernel32.h"
#include "support/scratch_folder.h"

using FilesReplaceTest = test_support::ScratchFolderTest<>;

TEST_F(FilesReplaceTest, EmptiedFilesKeepPermissionsAndLinks) {
  for (const bool linked : {false, true}) {
    SCOPED_TRACE(linked ? "with a second name" : "one name");
    std::ofstream("a.bin") << std::string(5000, 'x');
    ASSERT_EQ(chmod("a.bin", 0640), 0);
    ASSERT_EQ(linked ? link("a.bin", "b.bin") : 0, 0);
    const HANDLE file = CreateFileA("a.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "new", 3, &written, nullptr) && CloseHandle(file));
    struct stat info {};
    ASSERT_EQ(stat("a.bin", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    const std::vector<uint8_t> expected = {'n', 'e', 'w'};
    EXPECT_EQ(test_support::read_bytes("a.bin"), expected);
    EXPECT_EQ(linked ? test_support::read_bytes("b.bin") : expected, expected);
    std::filesystem::remove("b.bin");
  }
}
