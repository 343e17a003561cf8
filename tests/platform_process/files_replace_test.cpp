// CREATE_ALWAYS over a file with content may put a new file in its place, but
// its names show what truncation leaves: the permissions, and the new bytes
// under every hard link. Depends on: support/scratch_folder.h.
#include <sys/stat.h>

#include "platform/kernel32.h"
#include "support/scratch_folder.h"

using FilesReplaceTest = test_support::ScratchFolderTest<>;

TEST_F(FilesReplaceTest, EmptiedFilesKeepPermissionsAndLinks) {
  for (const bool linked : {false, true}) {
    std::ofstream("a.bin") << std::string(5000, 'x');
    ASSERT_EQ(chmod("a.bin", 0640) | (linked ? link("a.bin", "b.bin") : 0), 0);
    const HANDLE file = CreateFileA("a.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "new", 3, &written, nullptr) && CloseHandle(file));
    struct stat info {};
    EXPECT_TRUE(stat("a.bin", &info) == 0 && (info.st_mode & 0777) == 0640) << linked;
    const std::vector<uint8_t> expected = {'n', 'e', 'w'};
    EXPECT_EQ(test_support::read_bytes(linked ? "b.bin" : "a.bin"), expected) << linked;
    std::filesystem::remove("b.bin");
  }
}
