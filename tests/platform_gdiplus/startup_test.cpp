// GdiplusStartup: one token shared by racing threads, argument checks and
// the notification hooks. (Every other GDI+ test makes objects without a start.)
// Depends on: gdiplus_test_support.h.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "gdiplus_test_support.h"

using namespace Gdiplus;
using gdiplus_test::expect_all;

namespace {

GdiplusStartupInput version(UINT number, BOOL suppress_background_thread = FALSE) {
  return GdiplusStartupInput{number, nullptr, suppress_background_thread, FALSE};
}

TEST(GdiplusStartup, ManyThreadsStartOnceAndShareOneToken) {
  constexpr int kThreads = 16;
  std::vector<ULONG_PTR> tokens(kThreads, 0);
  std::vector<Status> results(kThreads, GenericError);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i)
    threads.emplace_back([&tokens, &results, i] {
      const GdiplusStartupInput input = version(1);
      results[i] = GdiplusStartup(&tokens[i], &input, nullptr);
    });
  for (std::thread& thread : threads) thread.join();
  for (int i = 0; i < kThreads; ++i) {
    EXPECT_EQ(results[i], Ok);
    EXPECT_NE(tokens[i], 0u);
    EXPECT_EQ(tokens[i], tokens[0]);
  }
}

TEST(GdiplusStartup, RejectsBadArgumentsAndSuppressedThreadGetsWorkingHooks) {
  ULONG_PTR token = 0;
  const GdiplusStartupInput v2 = version(2), v0 = version(0), v1 = version(1), suppressed = version(1, TRUE);
  expect_all({GdiplusStartup(&token, &v2, nullptr), GdiplusStartup(&token, &v0, nullptr)},
             UnsupportedGdiplusVersion);
  expect_all({GdiplusStartup(nullptr, &v1, nullptr), GdiplusStartup(&token, nullptr, nullptr),
              GdiplusStartup(&token, &suppressed, nullptr)});
  EXPECT_EQ(token, 0u);

  GdiplusStartupOutput output{};
  ASSERT_EQ(GdiplusStartup(&token, &suppressed, &output), Ok);
  ASSERT_NE(output.NotificationHook, nullptr);
  ASSERT_NE(output.NotificationUnhook, nullptr);
  ULONG_PTR hook_token = 0;
  EXPECT_EQ(output.NotificationHook(&hook_token), Ok);
  EXPECT_EQ(hook_token, token);
  EXPECT_EQ(output.NotificationHook(nullptr), InvalidParameter);
  output.NotificationUnhook(hook_token);
}

}  // namespace
