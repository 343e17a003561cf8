// The GDI+ decoding entry points: bitmaps from files (path rules, failures)
// and from streams, and locking bits into the caller's or our own buffer.
// Depends on: bmp_builder.h, the GDI+ test support (pixels), tests/support's
// scratch folders.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
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

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

using ScratchDirectory = test_support::ScratchFolderTest<>;

TEST_F(ScratchDirectory, FileBitmapIsThirtyTwoBitArgbOfTheFile) {
  test_support::write_bytes("small.bmp", small_bmp());
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromFile(L"small.bmp", &bitmap), Ok);
  UINT width = 0, height = 0;
  GdipGetImageWidth(reinterpret_cast<GpImage*>(bitmap), &width);
  GdipGetImageHeight(reinterpret_cast<GpImage*>(bitmap), &height);
  EXPECT_EQ(width, 2u);
  EXPECT_EQ(height, 2u);
  const ARGB expected[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(pixel(bitmap, i % 2, i / 2), expected[i]) << i;
  GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
}

TEST_F(ScratchDirectory, PathsUseEitherSeparatorAndSlashMeansAbsolute) {
  ASSERT_EQ(mkdir("sub", 0700), 0);
  test_support::write_bytes("sub/small.bmp", small_bmp());
  GpBitmap* bitmap = nullptr;
  for (const std::wstring& path : {std::wstring(L"sub\\small.bmp"), std::wstring(L"sub/small.bmp"),
                                   wide(scratch_.path().string() + "/sub/small.bmp"), wide(scratch_.path().string()) + L"\\sub\\small.bmp"}) {
    ASSERT_EQ(GdipCreateBitmapFromFile(path.c_str(), &bitmap), Ok);
    GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
  }
}

TEST_F(ScratchDirectory, UrlsAreNeverOpenedEvenWhenSuchAPathExists) {
  ASSERT_EQ(mkdir("http:", 0700), 0);
  test_support::write_bytes("http:/small.bmp", small_bmp());
  GpBitmap* bitmap = reinterpret_cast<GpBitmap*>(1);
  EXPECT_EQ(GdipCreateBitmapFromFile(L"http://small.bmp", &bitmap), FileNotFound);
  EXPECT_EQ(bitmap, nullptr);
  ASSERT_EQ(GdipCreateBitmapFromFile(L"http:/small.bmp", &bitmap), Ok);
  GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
}

TEST_F(ScratchDirectory, FailuresSayWhatWentWrong) {
  GpBitmap* bitmap = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromFile(L"missing.bmp", &bitmap), FileNotFound);
  ASSERT_EQ(mkdir("folder.bmp", 0700), 0);
  EXPECT_EQ(GdipCreateBitmapFromFile(L"folder.bmp", &bitmap), FileNotFound);
  test_support::write_bytes("text.bmp", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(GdipCreateBitmapFromFile(L"text.bmp", &bitmap), UnknownImageFormat);
  std::vector<uint8_t> damaged = small_bmp();
  damaged.resize(damaged.size() - 1);
  test_support::write_bytes("short.bmp", damaged);
  EXPECT_EQ(GdipCreateBitmapFromFile(L"short.bmp", &bitmap), GenericError);
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

TEST_F(LockBits, ConvertsFormatsAndWritesBack) {
  BitmapData data = {};
  ASSERT_EQ(GdipBitmapLockBits(bitmap_, nullptr, ImageLockModeRead | ImageLockModeWrite, PixelFormat24bppRGB, &data),
            Ok);
  EXPECT_EQ(data.Stride, 12);  // 9 bytes padded to 4
  auto* bytes = static_cast<uint8_t*>(data.Scan0);
  EXPECT_EQ(bytes[12 + 3], 0x11);  // row 1, pixel 1, blue
  bytes[0] = 0x40;                 // pixel (0, 0): blue 0x40
  ASSERT_EQ(GdipBitmapUnlockBits(bitmap_, &data), Ok);
  EXPECT_EQ(pixel(bitmap_, 0, 0), 0xFF000040u);  // written back through 24 bits: opaque
}

TEST_F(LockBits, OneLockAtATimeAndOnlyInside) {
  BitmapData data = {};
  const GpRect outside = {2, 1, 2, 1};
  EXPECT_EQ(GdipBitmapLockBits(bitmap_, &outside, ImageLockModeRead, PixelFormat32bppARGB, &data), InvalidParameter);
  EXPECT_EQ(GdipBitmapLockBits(bitmap_, nullptr, 0, PixelFormat32bppARGB, &data), InvalidParameter);
  EXPECT_EQ(GdipBitmapLockBits(bitmap_, nullptr, ImageLockModeRead, 0x12345, &data), InvalidParameter);
  EXPECT_EQ(GdipBitmapUnlockBits(bitmap_, &data), WrongState);
  ASSERT_EQ(GdipBitmapLockBits(bitmap_, nullptr, ImageLockModeRead, PixelFormat32bppPARGB, &data), Ok);
  EXPECT_EQ(static_cast<uint32_t*>(data.Scan0)[4], 0x80090909u);  // 0x80121212 premultiplied
  BitmapData second = {};
  EXPECT_EQ(GdipBitmapLockBits(bitmap_, nullptr, ImageLockModeRead, PixelFormat32bppARGB, &second), WrongState);
  EXPECT_EQ(GdipBitmapUnlockBits(bitmap_, &data), Ok);
}

#ifdef PNGSUITE_DIR
TEST(PngSuiteBmp, EveryReferenceBmpLoads) {
  const std::string folder = std::string(PNGSUITE_DIR) + "/bmp";
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) GTEST_SKIP() << "no " << folder;
  int count = 0;
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() < 4 || name.substr(name.size() - 4) != ".bmp") continue;
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromFile(wide(folder + "/" + name).c_str(), &bitmap), Ok) << name;
    UINT width = 0;
    GdipGetImageWidth(reinterpret_cast<GpImage*>(bitmap), &width);
    EXPECT_GT(width, 0u);
    GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
    ++count;
  }
  closedir(dir);
  EXPECT_GT(count, 100);
}
#endif

}  // namespace
