// winmm: period requests, one-shot and periodic timers, killing timers from
// outside and inside their callback, and the MCI stub.
// Depends on: the kernel32 (events) and syslibs headers; real time, briefly.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/kernel32.h"
#include "platform/syslibs.h"

namespace {

class Winmm : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(begin_period && end_period && set_event && kill_event); }
  void TearDown() override { FreeLibrary(module_); }
  template <class Fn>
  Fn entry(const char* name) {
    return reinterpret_cast<Fn>(GetProcAddress(module_, name));
  }

  HMODULE module_ = LoadLibraryA("winmm.dll");
  timeBeginPeriod_fn begin_period = entry<timeBeginPeriod_fn>("timeBeginPeriod");
  timeEndPeriod_fn end_period = entry<timeEndPeriod_fn>("timeEndPeriod");
  timeSetEvent_fn set_event = entry<timeSetEvent_fn>("timeSetEvent");
  timeKillEvent_fn kill_event = entry<timeKillEvent_fn>("timeKillEvent");
};

struct Ticks {
  std::atomic<int> count{0};
  std::atomic<UINT> last_id{0};
  HANDLE reached = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  int target = 1;
  timeKillEvent_fn kill_self = nullptr;  // when set, the callback kills its own timer
  std::atomic<MMRESULT> kill_result{0xFFFF};
  ~Ticks() { CloseHandle(reached); }
};

void count_tick(UINT id, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
  auto* ticks = reinterpret_cast<Ticks*>(user);
  EXPECT_EQ(message, 0u);
  ticks->last_id = id;
  if (ticks->kill_self != nullptr) ticks->kill_result = ticks->kill_self(id);
  if (++ticks->count == ticks->target) SetEvent(ticks->reached);
}

TEST_F(Winmm, PeriodsFromOneToOneThousandAreAccepted) {
  EXPECT_EQ(begin_period(1), static_cast<MMRESULT>(TIMERR_NOERROR));
  EXPECT_EQ(end_period(1), static_cast<MMRESULT>(TIMERR_NOERROR));
  EXPECT_EQ(begin_period(1000), static_cast<MMRESULT>(TIMERR_NOERROR));
  EXPECT_EQ(begin_period(0), static_cast<MMRESULT>(TIMERR_NOCANDO));
  EXPECT_EQ(begin_period(1001), static_cast<MMRESULT>(TIMERR_NOCANDO));
  EXPECT_EQ(end_period(0), static_cast<MMRESULT>(TIMERR_NOCANDO));
}

// A one-shot timer calls back once, with its id, or sets the event it names.
TEST_F(Winmm, OneShotTimersCallBackOnceOrSetTheirEvent) {
  Ticks ticks;
  const MMRESULT id = set_event(5, 1, count_tick, reinterpret_cast<DWORD_PTR>(&ticks), TIME_ONESHOT);
  ASSERT_NE(id, 0u);
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  const auto sets = reinterpret_cast<LPTIMECALLBACK>(event);
  ASSERT_NE(set_event(3, 1, sets, 0, TIME_ONESHOT | TIME_CALLBACK_EVENT_SET), 0u);
  EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(ticks.reached, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(ticks.last_id.load(), id);
  Sleep(30);
  EXPECT_EQ(ticks.count.load(), 1);
  CloseHandle(event);
}

// A periodic timer killed from outside (after three ticks) or from inside its
// callback (at the first): killing waits for a callback in progress, none
// runs afterwards, and the id is gone.
TEST_F(Winmm, PeriodicTimersRunUntilKilledFromOutsideOrInside) {
  for (const bool inside : {false, true}) {
    SCOPED_TRACE(inside ? "killed inside" : "killed outside");
    Ticks ticks;
    ticks.target = inside ? 1 : 3;
    ticks.kill_self = inside ? kill_event : nullptr;
    const MMRESULT id = set_event(2, 1, count_tick, reinterpret_cast<DWORD_PTR>(&ticks), TIME_PERIODIC);
    EXPECT_EQ(WaitForSingleObject(ticks.reached, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(inside ? ticks.kill_result.load() : kill_event(id), static_cast<MMRESULT>(TIMERR_NOERROR));
    const int after_kill = ticks.count.load();
    Sleep(30);
    EXPECT_EQ(ticks.count.load(), after_kill);
    EXPECT_EQ(kill_event(id), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
  }
}

TEST_F(Winmm, RejectsBadTimersAndUnknownIds) {
  Ticks ticks;
  const auto user = reinterpret_cast<DWORD_PTR>(&ticks);
  EXPECT_EQ(set_event(0, 1, count_tick, user, TIME_ONESHOT), 0u);
  EXPECT_EQ(set_event(1000001, 1, count_tick, user, TIME_ONESHOT), 0u);
  EXPECT_EQ(set_event(5, 1, nullptr, user, TIME_ONESHOT), 0u);
  EXPECT_EQ(set_event(5, 1, count_tick, user, TIME_CALLBACK_EVENT_PULSE), 0u);
  EXPECT_EQ(kill_event(0xFFFFFF), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
  // A long timer killed before it fires never runs.
  const MMRESULT id = set_event(100000, 1, count_tick, user, TIME_ONESHOT);
  EXPECT_EQ(kill_event(id), static_cast<MMRESULT>(TIMERR_NOERROR));
  EXPECT_EQ(ticks.count.load(), 0);
}

TEST_F(Winmm, MciIsUnsupported) {
  EXPECT_EQ(entry<mciSendCommandW_fn>("mciSendCommandW")(1, 0x0803, 0, 0),
            static_cast<MCIERROR>(MCIERR_UNSUPPORTED_FUNCTION));
}

}  // namespace
