// The GDI+ decoding entry points: bitmaps from files (path rules, failures)
// and from streams, and locking bits into the caller's or our own buffer.
// Depends on: bmp_builder.h, the GDI+ test support (pixels), tests/support's
// scratch folders.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gdiplus.h"
#include "platform/kernel32.h"
#include "platform/syslibs.h"
#include "platform_gdiplus/gdiplus_test_support.h"
#include "platform_imaging/bmp_builder.h"
#include "support/scratch_folder.h"

namespace {

using namespace Gdiplus;
using gdiplus_test::pixel;
using gdiplus_test::set_pixel;

// 2x2 24-bit: top row red, green; bottom row blue, white.
std::vector<uint8_t> small_bmp() {
  imaging_test::bmp_fields s;
  s.width = 2;
  s.height = 2;
  s.rows = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0};
  return imaging_test::build_bmp(s);
}

using ScratchDirectory = test_support::ScratchFolderTest<>;

// One row per path, in a folder holding small.bmp, sub/small.bmp,
// http:/small.bmp, a folder named folder.bmp, a text file and a cut file:
// what opening it answers, and the 32-bit ARGB pixels of what it opens.
TEST_F(ScratchDirectory, FileBitmapsByPath) {
  for (const char* folder : {"sub", "http:", "folder.bmp"}) ASSERT_EQ(mkdir(folder, 0700), 0);
  for (const char* name : {"small.bmp", "sub/small.bmp", "http:/small.bmp"})
    test_support::write_bytes(name, small_bmp());
  test_support::write_bytes("text.bmp", {'h', 'e', 'l', 'l', 'o'});
  std::vector<uint8_t> cut = small_bmp();
  cut.pop_back();
  test_support::write_bytes("short.bmp", cut);
  // (How '\\' paths convert is the file tests'.)
  const std::pair<std::wstring, GpStatus> paths[] = {
      {L"small.bmp", Ok}, {L"sub\\small.bmp", Ok}, {L"sub/small.bmp", Ok}, {L"http:/small.bmp", Ok},
      {L"http://small.bmp", FileNotFound},  // a URL is never opened, even when such a path exists
      {L"missing.bmp", FileNotFound}, {L"folder.bmp", FileNotFound}, {L"text.bmp", UnknownImageFormat},
      {L"short.bmp", GenericError}};
  const ARGB expected[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  for (const auto& [path, status] : paths) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    GpBitmap* bitmap = reinterpret_cast<GpBitmap*>(1);
    ASSERT_EQ(GdipCreateBitmapFromFile(path.c_str(), &bitmap), status);
    if (status != Ok) {
      EXPECT_EQ(bitmap, nullptr);
      continue;
    }
    UINT width = 0, height = 0;
    GdipGetImageWidth(reinterpret_cast<GpImage*>(bitmap), &width);
    GdipGetImageHeight(reinterpret_cast<GpImage*>(bitmap), &height);
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(2u, 2u));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pixel(bitmap, i % 2, i / 2), expected[i]) << i;
    GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
  }
  GpBitmap* bitmap = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromFile(nullptr, &bitmap), InvalidParameter);
  EXPECT_EQ(GdipCreateBitmapFromFile(L"small.bmp", nullptr), InvalidParameter);
}

TEST(BitmapFromStream, ReadsFromTheStreamsPosition) {
  auto create = reinterpret_cast<CreateStreamOnHGlobal_fn>(
      GetProcAddress(LoadLibraryA("Ole32.dll"), "CreateStreamOnHGlobal"));
  ASSERT_NE(create, nullptr);
  std::vector<uint8_t> bytes = {'x', 'y', 'z'};
  const std::vector<uint8_t> bmp = small_bmp();
  bytes.insert(bytes.end(), bmp.begin(), bmp.end());
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  ASSERT_EQ(create(memory, TRUE, &stream), S_OK);
  GpBitmap* bitmap = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromStream(stream, &bitmap), UnknownImageFormat);  // "xyz" first
  LARGE_INTEGER skip = {};
  skip.QuadPart = 3;
  stream->Seek(skip, STREAM_SEEK_SET, nullptr);
  ASSERT_EQ(GdipCreateBitmapFromStream(stream, &bitmap), Ok);
  EXPECT_EQ(pixel(bitmap, 1, 1), 0xFFFFFFFFu);
  GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
  stream->Release();
}

class LockBits : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 0, PixelFormat32bppARGB, nullptr, &bitmap_), Ok);
    for (INT y = 0; y < 2; ++y)
      for (INT x = 0; x < 3; ++x) set_pixel(bitmap_, x, y, 0x80000000u | ARGB(y * 16 + x) * 0x010101);
  }
  void TearDown() override { GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap_)); }
  GpBitmap* bitmap_ = nullptr;
};

TEST_F(LockBits, UserBufferReceivesTheRectangle) {
  uint32_t buffer[4] = {};
  BitmapData data = {};
  data.Scan0 = buffer;
  data.Stride = 8;
  const GpRect rect = {1, 0, 2, 2};
  ASSERT_EQ(GdipBitmapLockBits(bitmap_, &rect, ImageLockModeRead | ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                               &data),
            Ok);
  EXPECT_EQ(data.Width, 2u);
  EXPECT_EQ(data.Height, 2u);
  EXPECT_EQ(data.PixelFormat, PixelFormat32bppARGB);
  EXPECT_EQ(data.Scan0, buffer);
  EXPECT_EQ(std::vector<uint32_t>(buffer, buffer + 4), (std::vector<uint32_t>{0x80010101, 0x80020202, 0x80111111, 0x80121212}));
  EXPECT_EQ(GdipBitmapUnlockBits(bitmap_, &data), Ok);
}

// How each format's pixels convert is the GDI+ bitmap test's (every format
// through a lock); here, the rows a lock of another format hands out.
TEST_F(LockBits, OtherFormatsHaveTheirOwnPaddedRows) {
  BitmapData data = {};
  ASSERT_EQ(GdipBitmapLockBits(bitmap_, nullptr, ImageLockModeRead, PixelFormat24bppRGB, &data), Ok);
  EXPECT_EQ(data.Stride, 12);  // 9 bytes padded to 4
  EXPECT_EQ(static_cast<uint8_t*>(data.Scan0)[12 + 3], 0x11);  // row 1, pixel 1, blue
  ASSERT_EQ(GdipBitmapUnlockBits(bitmap_, &data), Ok);
}

TEST_F(LockBits, OneLockAtATimeAndOnlyInside) {
  BitmapData data = {};
  const GpRect outside = {2, 1, 2, 1};
  EXPECT_EQ(GdipBitmapLockBits(bitmap_, &outside, ImageLockModeRead, PixelFormat32bppARGB, &data), InvalidParameter);
  EXPECT_EQ(GdipBitmapLockBits(bitmap_, nullptr, 0, PixelFormat32bppARGB, &data), InvalidParameter);
  EXPECT_EQ(GdipBitmapLockBits(bitmap_, nullptr, ImageLockModeRead, 0x12345, &data), InvalidParameter);
  EXPECT_EQ(GdipBitmapUnlockBits(bitmap_, &data), WrongState);
  ASSERT_EQ(GdipBitmapLockBits(bitmap_, nullptr, ImageLockModeRead, PixelFormat32bppPARGB, &data), Ok);
  BitmapData second = {};
  EXPECT_EQ(GdipBitmapLockBits(bitmap_, nullptr, ImageLockModeRead, PixelFormat32bppARGB, &second), WrongState);
  EXPECT_EQ(GdipBitmapUnlockBits(bitmap_, &data), Ok);
}

#ifdef PNGSUITE_DIR
TEST(PngSuiteBmp, EveryReferenceBmpLoads) {
  const std::string folder = std::string(PNGSUITE_DIR) + "/bmp";
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no " << folder;
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromFile(entry.path().wstring().c_str(), &bitmap), Ok) << entry.path();
    GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
    ++count;
  }
  EXPECT_GT(count, 100);
}
#endif

}  // namespace
