// Synchronisation: events (named or not), waits, CloseHandle and re-entrant
// critical sections. Depends on: the kernel-object handle table. An event,
// once set, is reset only by the wait an auto-reset event releases.
//
// Named events share one namespace; a name belongs to its event for as long
// as any reference to the event remains.
#include <map>
#include <string>

#include "kernel/kernel_object.h"

namespace platform::kernel {
namespace {

class EventObject;

struct NameRegistry {
  std::mutex mutex;
  std::map<std::wstring, std::weak_ptr<EventObject>> events;
};

// Never destroyed, for the same reason as the handle table.
NameRegistry& registry() {
  static NameRegistry* instance = new NameRegistry;
  return *instance;
}

class EventObject : public KernelObject {
 public:
  EventObject(bool manual_reset, bool signalled, std::wstring name)
      : manual_reset_(manual_reset), signalled_(signalled), name_(std::move(name)) {}

  ~EventObject() override {
    if (name_.empty()) return;
    NameRegistry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    // The entry may already name a newer event of the same name.
    const auto it = r.events.find(name_);
    if (it != r.events.end() && it->second.expired()) r.events.erase(it);
  }

  void set() {
    std::lock_guard<std::mutex> lock(mutex_);
    signalled_ = true;
    notify_waiters();
  }

 private:
  bool try_acquire() override {
    if (!signalled_) return false;
    if (!manual_reset_) signalled_ = false;  // an auto-reset event releases one waiter
    return true;
  }

  const bool manual_reset_;
  bool signalled_;
  const std::wstring name_;
};

HANDLE create_event(bool manual_reset, bool initial_state, const wchar_t* name) {
  if (name == nullptr || *name == L'\0') {
    SetLastError(ERROR_SUCCESS);
    return insert_handle(std::make_shared<EventObject>(manual_reset, initial_state, std::wstring()));
  }
  NameRegistry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  std::weak_ptr<EventObject>& entry = r.events[name];
  if (std::shared_ptr<EventObject> existing = entry.lock()) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return insert_handle(std::move(existing));
  }
  auto created = std::make_shared<EventObject>(manual_reset, initial_state, name);
  entry = created;
  SetLastError(ERROR_SUCCESS);
  return insert_handle(std::move(created));
}

BOOL set_event(HANDLE event) {
  const auto object = find_handle_as<EventObject>(event);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  object->set();
  return TRUE;
}

std::recursive_mutex& mutex_of(LPCRITICAL_SECTION cs) { return *static_cast<std::recursive_mutex*>(cs->impl); }

}  // namespace
}  // namespace platform::kernel

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manual_reset, BOOL initial_state, LPCWSTR name) {
  return platform::kernel::create_event(manual_reset != FALSE, initial_state != FALSE, name);
}

BOOL SetEvent(HANDLE event) { return platform::kernel::set_event(event); }

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  const auto target = platform::kernel::find_handle(object);
  if (!target) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  return target->wait(milliseconds);
}

BOOL CloseHandle(HANDLE object) {
  if (!platform::kernel::remove_handle(object)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

void InitializeCriticalSection(LPCRITICAL_SECTION cs) { cs->impl = new std::recursive_mutex; }

void DeleteCriticalSection(LPCRITICAL_SECTION cs) {
  delete static_cast<std::recursive_mutex*>(cs->impl);
  cs->impl = nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION cs) { platform::kernel::mutex_of(cs).lock(); }

void LeaveCriticalSection(LPCRITICAL_SECTION cs) { platform::kernel::mutex_of(cs).unlock(); }
