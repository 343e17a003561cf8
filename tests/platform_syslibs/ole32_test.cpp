// CreateStreamOnHGlobal: a memory stream that grows, seeks, reads short at
// the end and frees its block only when asked to.
// Depends on: the kernel32 (global memory) and syslibs headers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/kernel32.h"
#include "platform/syslibs.h"

namespace {

class Stream : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(create, nullptr); }
  void TearDown() override { FreeLibrary(module_); }

  static LARGE_INTEGER offset(LONGLONG value) {
    LARGE_INTEGER move;
    move.QuadPart = value;
    return move;
  }

  HMODULE module_ = LoadLibraryA("ole32.dll");
  CreateStreamOnHGlobal_fn create =
      reinterpret_cast<CreateStreamOnHGlobal_fn>(GetProcAddress(module_, "CreateStreamOnHGlobal"));
};

TEST_F(Stream, NewStreamGrowsAndReadsBack) {
  IStream* stream = nullptr;
  ASSERT_EQ(create(nullptr, TRUE, &stream), S_OK);
  ULONGLONG size = 99;
  EXPECT_EQ(stream->GetSize(&size), S_OK);
  EXPECT_EQ(size, 0u);

  const std::string text(10000, 'q');
  ULONG written = 0;
  EXPECT_EQ(stream->Write(text.data(), static_cast<ULONG>(text.size()), &written), S_OK);
  EXPECT_EQ(written, 10000u);
  EXPECT_EQ(stream->Write("end", 3, nullptr), S_OK);
  stream->GetSize(&size);
  EXPECT_EQ(size, 10003u);

  ULONGLONG position = 0;
  EXPECT_EQ(stream->Seek(offset(-5), STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position, 9998u);
  char buffer[16] = {};
  ULONG read = 0;
  EXPECT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);  // short read at the end
  EXPECT_EQ(read, 5u);
  EXPECT_EQ(std::string(buffer, read), "qqend");
  EXPECT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(stream->Release(), 0u);
}

TEST_F(Stream, SeekRulesAndGapFilling) {
  IStream* stream = nullptr;
  create(nullptr, TRUE, &stream);
  stream->Write("abcdef", 6, nullptr);
  ULONGLONG position = 0;
  EXPECT_EQ(stream->Seek(offset(2), STREAM_SEEK_SET, &position), S_OK);
  EXPECT_EQ(stream->Seek(offset(1), STREAM_SEEK_CUR, &position), S_OK);
  EXPECT_EQ(position, 3u);
  EXPECT_EQ(stream->Seek(offset(-4), STREAM_SEEK_CUR, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(stream->Seek(offset(0), 7, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(position, 3u);  // unchanged by failed seeks

  // Seeking past the end does not grow the stream; writing there fills the gap with zeros.
  stream->Seek(offset(10), STREAM_SEEK_SET, nullptr);
  ULONGLONG size = 0;
  stream->GetSize(&size);
  EXPECT_EQ(size, 6u);
  stream->Write("Z", 1, nullptr);
  stream->GetSize(&size);
  EXPECT_EQ(size, 11u);
  char all[11];
  ULONG read = 0;
  stream->Seek(offset(0), STREAM_SEEK_SET, nullptr);
  stream->Read(all, sizeof all, &read);
  EXPECT_EQ(read, 11u);
  EXPECT_EQ(std::memcmp(all, "abcdef\0\0\0\0Z", 11), 0);

  EXPECT_EQ(stream->Read(nullptr, 1, &read), STG_E_INVALIDPOINTER);
  EXPECT_EQ(stream->Write(nullptr, 1, nullptr), STG_E_INVALIDPOINTER);
  stream->Release();
}

TEST_F(Stream, ExistingBlockProvidesContentsAndIsFreedOnlyWhenAsked) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(block), "PNG!", 4);
  GlobalUnlock(block);

  IStream* stream = nullptr;
  ASSERT_EQ(create(block, FALSE, &stream), S_OK);
  EXPECT_EQ(stream->AddRef(), 2u);
  char buffer[4];
  ULONG read = 0;
  stream->Read(buffer, 4, &read);
  EXPECT_EQ(std::string(buffer, read), "PNG!");
  EXPECT_EQ(stream->Release(), 1u);
  EXPECT_EQ(stream->Release(), 0u);
  EXPECT_EQ(GlobalSize(block), 4u);  // still ours

  ASSERT_EQ(create(block, TRUE, &stream), S_OK);
  stream->Release();
  SetLastError(0);
  EXPECT_EQ(GlobalSize(block), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  EXPECT_EQ(create(block, TRUE, &stream), E_INVALIDARG);  // freed
  EXPECT_EQ(stream, nullptr);
  EXPECT_EQ(create(nullptr, TRUE, nullptr), E_INVALIDARG);
}

}  // namespace
