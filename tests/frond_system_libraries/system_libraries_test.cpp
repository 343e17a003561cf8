// Run-time system libraries: loading, the exact messages for missing
// libraries and entries, the forwarders, Ole32 per call. (The fatal error
// box ends the process in the image and loading death tests.)
// Depends on: the platform's missing-library seam and the graphics fixture.

#include "graphics/system_libraries.h"
#include "platform/test_seams.h"
#include "support/graphics_fixture.h"

using namespace frond;
using frond_test::GraphicsTest;

namespace {

// Every test starts with the libraries freed after the last one loaded them
// all: a missing library or entry then finds its forwarders empty only
// because freeing cleared them.
class SystemLibrariesTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    free_system_libraries();
  }
  void TearDown() override {
    platform_test::reset_missing_libraries();
    free_system_libraries();
    load_system_libraries();
    GraphicsTest::TearDown();
  }

  // What one image construction writes on stderr.
  static std::string construct_image() {
    ::testing::internal::CaptureStderr();
    delimage(newimage(2, 2));
    return ::testing::internal::GetCapturedStderr();
  }

  // Whether msimg32's AlphaBlend is there (one pixel onto another).
  static bool alphablend_works() {
    IMAGE a(1, 1), b(1, 1);
    return dll_AlphaBlend(a.dc, 0, 0, 1, 1, b.dc, 0, 0, 1, 1, BLENDFUNCTION{AC_SRC_OVER, 0, 255, 0}) != 0;
  }
};

TEST_F(SystemLibrariesTest, MissingLibraryIsReportedAtEveryConstruction) {
  platform_test::mark_library_missing("msimg32.dll");
  EXPECT_EQ(construct_image(), "frond error: Failed to load msimg32.dll.\n");
  EXPECT_EQ(construct_image(), "frond error: Failed to load msimg32.dll.\n");

  // The blends that need it do nothing; winmm is still there.
  EXPECT_FALSE(alphablend_works());
  EXPECT_EQ(dll_GradientFill(nullptr, nullptr, 0, nullptr, 0, 0), 0);
  EXPECT_EQ(dll_timeBeginPeriod(1), MMRESULT(TIMERR_NOERROR));

  platform_test::reset_missing_libraries();
  EXPECT_EQ(construct_image(), "");
}

TEST_F(SystemLibrariesTest, MissingWinmmStopsTheLoaderAfterTheOthers) {
  platform_test::mark_library_missing("winmm.dll");
  EXPECT_EQ(construct_image(), "frond error: Failed to load winmm.dll.\n");
  EXPECT_EQ(dll_timeBeginPeriod(1), MMRESULT(0));
  EXPECT_TRUE(alphablend_works());  // msimg32, loaded before winmm, is there
}

TEST_F(SystemLibrariesTest, MissingEntriesAreNamed) {
  platform_test::mark_entry_missing("imm32.dll", "ImmSetCompositionWindow");
  platform_test::mark_entry_missing("winmm.dll", "mciSendCommandW");
  EXPECT_EQ(construct_image(),
            "frond error: The 'ImmSetCompositionWindow' function cannot be found from the imm32.dll.\n"
            "frond error: The 'mciSendCommandW' function cannot be found from the winmm.dll.\n");
  EXPECT_EQ(dll_ImmSetCompositionWindow(nullptr, nullptr), 0);
  EXPECT_EQ(dll_mciSendCommandW(0, 0, 0, 0), MCIERROR(0));
  // Only what is still missing is looked up again.
  platform_test::reset_missing_libraries();
  EXPECT_EQ(construct_image(), "");
}

TEST_F(SystemLibrariesTest, StreamOnGlobalMemory) {
  IStream* stream = nullptr;
  ASSERT_EQ(create_stream_on_hglobal(nullptr, true, &stream), S_OK);
  ASSERT_NE(stream, nullptr);
  stream->Release();

  platform_test::mark_library_missing("Ole32.dll");
  IStream* untouched = reinterpret_cast<IStream*>(0x1234);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(create_stream_on_hglobal(nullptr, true, &untouched), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "frond error: Failed to load Ole32.dll.\n");
  EXPECT_EQ(untouched, reinterpret_cast<IStream*>(0x1234));

  platform_test::reset_missing_libraries();
  platform_test::mark_entry_missing("Ole32.dll", "CreateStreamOnHGlobal");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(create_stream_on_hglobal(nullptr, true, &untouched), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "frond error: The 'CreateStreamOnHGlobal' function cannot be found from the Ole32.dll.\n");
}

}  // namespace
