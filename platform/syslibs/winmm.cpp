// winmm: timer resolution requests, multimedia timers and the MCI stub.
// Depends on: exports.h and one standard-library timer thread. Plays no sound: MCI answers unsupported.
//
// Timer callbacks run one at a time on a single timer thread, as on Windows.
// timeKillEvent waits for a callback of that timer that is running, unless
// it is called from the callback itself.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "platform/kernel32.h"
#include "syslibs/exports.h"

namespace platform::syslibs {
namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kMinimumPeriod = 1;
constexpr UINT kMaximumPeriod = 1000;
constexpr UINT kMaximumDelay = 1000000;
constexpr UINT kCallbackKindMask = 0x0030;

struct Timer {
  UINT delay;
  bool periodic;
  bool sets_event;  // TIME_CALLBACK_EVENT_SET: `callback` is an event handle
  LPTIMECALLBACK callback;
  DWORD_PTR user;
  Clock::time_point due;
};

class TimerThread {
 public:
  UINT add(const Timer& timer) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!started_) {
      std::thread(&TimerThread::run, this).detach();
      started_ = true;
    }
    const UINT id = next_id_++;
    timers_[id] = timer;
    changed_.notify_all();
    return id;
  }

  MMRESULT kill(UINT id) {
    std::unique_lock<std::mutex> lock(mutex_);
    const bool known = timers_.erase(id) != 0;
    if (running_ != id) return known ? TIMERR_NOERROR : MMSYSERR_INVALPARAM;
    if (std::this_thread::get_id() != thread_id_) changed_.wait(lock, [&] { return running_ != id; });
    return TIMERR_NOERROR;
  }

 private:
  void run() {
    std::unique_lock<std::mutex> lock(mutex_);
    thread_id_ = std::this_thread::get_id();
    for (;;) {
      if (timers_.empty()) {
        changed_.wait(lock);
        continue;
      }
      auto next = timers_.begin();
      for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due < next->second.due) next = it;
      }
      const Clock::time_point due = next->second.due;  // the entry may go while waiting
      if (Clock::now() < due) {
        changed_.wait_until(lock, due);
        continue;
      }
      const UINT id = next->first;
      const Timer timer = next->second;
      if (timer.periodic) {
        // Keep the period's phase, but do not queue up a burst after a stall.
        next->second.due = std::max(timer.due + std::chrono::milliseconds(timer.delay), Clock::now());
      } else {
        timers_.erase(next);
      }
      running_ = id;
      lock.unlock();
      fire(id, timer);
      lock.lock();
      running_ = 0;
      changed_.notify_all();
    }
  }

  static void fire(UINT id, const Timer& timer) {
    if (timer.sets_event) {
      SetEvent(reinterpret_cast<HANDLE>(timer.callback));
    } else {
      timer.callback(id, 0, timer.user, 0, 0);
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<UINT, Timer> timers_;
  UINT next_id_ = 1;
  UINT running_ = 0;  // the timer whose callback is running, or 0
  bool started_ = false;
  std::thread::id thread_id_;
};

// Never destroyed: the detached timer thread uses it until the process ends.
TimerThread& timer_thread() {
  static TimerThread* instance = new TimerThread;
  return *instance;
}

MMRESULT timeBeginPeriod(UINT period) {
  return period >= kMinimumPeriod && period <= kMaximumPeriod ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

MMRESULT timeEndPeriod(UINT period) { return timeBeginPeriod(period); }

// The new timer's id, or 0 for a delay out of range, a missing callback or a
// callback kind other than a function or TIME_CALLBACK_EVENT_SET.
MMRESULT timeSetEvent(UINT delay, UINT, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) {
  const UINT kind = flags & kCallbackKindMask;
  if (delay < kMinimumPeriod || delay > kMaximumDelay || callback == nullptr ||
      (kind != TIME_CALLBACK_FUNCTION && kind != TIME_CALLBACK_EVENT_SET)) {
    return 0;
  }
  const Timer timer{delay, (flags & TIME_PERIODIC) != 0, kind == TIME_CALLBACK_EVENT_SET, callback, user,
                    Clock::now() + std::chrono::milliseconds(delay)};
  return timer_thread().add(timer);
}

MMRESULT timeKillEvent(UINT timer_id) { return timer_thread().kill(timer_id); }

MCIERROR mciSendCommandW(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR) { return MCIERR_UNSUPPORTED_FUNCTION; }

}  // namespace

ExportTable winmm_exports() {
  static const Export exports[] = {
      {"timeBeginPeriod", export_address(timeBeginPeriod)}, {"timeEndPeriod", export_address(timeEndPeriod)},
      {"timeSetEvent", export_address(timeSetEvent)},       {"timeKillEvent", export_address(timeKillEvent)},
      {"mciSendCommandW", export_address(mciSendCommandW)},
  };
  return export_table(exports);
}

}  // namespace platform::syslibs
