// Events, semaphores, mutexes and critical sections over the standard library's locks.
#include "platform/api/sync.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <thread>

namespace {

using Clock = platform::Waitable::Clock;

// Waits on several objects sleep here; every signal wakes them to look again. A signal is set under its
// object's own lock before this lock is taken, so a waiter holding it while it looks cannot miss one.
// Never destroyed: a thread still ending after the static destructors signals through them.
std::mutex& multipleMutex = *new std::mutex;
std::condition_variable& multipleChanged = *new std::condition_variable;

// Objects are destroyed by CloseHandle; the handheld keeps them while a thread still waits, which the
// system's own code never relies on.
class Event : public platform::Waitable {
 public:
  Event(bool manualReset, bool set) : manualReset_(manualReset), set_(set) {}

  bool waitUntil(Clock::time_point deadline, bool forever) override {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return set_; };
    if (forever) {
      changed_.wait(lock, ready);
    } else if (!changed_.wait_until(lock, deadline, ready)) {
      return false;
    }
    if (!manualReset_) set_ = false;
    return true;
  }
  bool take() override {
    std::lock_guard lock(mutex_);
    if (!set_) return false;
    if (!manualReset_) set_ = false;
    return true;
  }
  void set() {
    {
      std::lock_guard lock(mutex_);
      set_ = true;
      if (manualReset_)
        changed_.notify_all();
      else
        changed_.notify_one();
    }
    platform::wakeMultipleWaits();
  }
  void reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  const bool manualReset_;
  bool set_;  // guarded by mutex_
};

class Semaphore : public platform::Waitable {
 public:
  Semaphore(LONG count, LONG maximum) : count_(count), maximum_(maximum) {}

  bool waitUntil(Clock::time_point deadline, bool forever) override {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return count_ > 0; };
    if (forever) {
      changed_.wait(lock, ready);
    } else if (!changed_.wait_until(lock, deadline, ready)) {
      return false;
    }
    --count_;
    return true;
  }
  bool take() override {
    std::lock_guard lock(mutex_);
    if (count_ == 0) return false;
    --count_;
    return true;
  }
  bool release(LONG n, LONG* previous) {
    {
      std::lock_guard lock(mutex_);
      if (n <= 0 || n > maximum_ - count_) return false;
      if (previous) *previous = count_;
      count_ += n;
      changed_.notify_all();
    }
    platform::wakeMultipleWaits();
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  LONG count_;  // guarded by mutex_
  const LONG maximum_;
};

// The mutex itself; every handle of one name shares it.
class MutexCore {
 public:
  bool acquire(Clock::time_point deadline, bool forever) {
    std::unique_lock lock(mutex_);
    const std::thread::id self = std::this_thread::get_id();
    if (depth_ > 0 && owner_ == self) {
      ++depth_;
      return true;
    }
    auto free = [this] { return depth_ == 0; };
    if (forever) {
      changed_.wait(lock, free);
    } else if (!changed_.wait_until(lock, deadline, free)) {
      return false;
    }
    owner_ = self;
    depth_ = 1;
    return true;
  }
  bool tryAcquire() {
    std::lock_guard lock(mutex_);
    const std::thread::id self = std::this_thread::get_id();
    if (depth_ > 0 && owner_ != self) return false;
    owner_ = self;
    ++depth_;
    return true;
  }
  bool release() {
    {
      std::lock_guard lock(mutex_);
      if (depth_ == 0 || owner_ != std::this_thread::get_id()) return false;
      if (--depth_ != 0) return true;
      changed_.notify_one();
    }
    platform::wakeMultipleWaits();
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread::id owner_;  // guarded by mutex_
  int depth_ = 0;          // guarded by mutex_
};

class Mutex : public platform::Waitable {
 public:
  explicit Mutex(std::shared_ptr<MutexCore> core) : core(std::move(core)) {}
  bool waitUntil(Clock::time_point deadline, bool forever) override { return core->acquire(deadline, forever); }
  bool take() override { return core->tryAcquire(); }

  const std::shared_ptr<MutexCore> core;
};

std::mutex mutexNamesLock;
std::map<std::u16string, std::weak_ptr<MutexCore>> mutexNames;  // guarded by mutexNamesLock

}  // namespace

namespace platform {

void wakeMultipleWaits() {
  // Passing through the lock orders this signal after any look in progress; waking after it is released
  // spares the woken thread from blocking on it at once.
  { std::lock_guard lock(multipleMutex); }
  multipleChanged.notify_all();
}

}  // namespace platform

HANDLE CreateMutexW(void*, BOOL initialOwner, LPCWSTR name) {
  std::shared_ptr<MutexCore> core;
  bool existed = false;
  if (name != nullptr && name[0] != 0) {
    std::lock_guard lock(mutexNamesLock);
    std::weak_ptr<MutexCore>& slot = mutexNames[std::u16string(name)];
    core = slot.lock();
    existed = core != nullptr;
    if (!existed) {
      core = std::make_shared<MutexCore>();
      slot = core;
    }
  } else {
    core = std::make_shared<MutexCore>();
  }
  if (initialOwner && !existed) core->acquire(Clock::now(), true);
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return (new Mutex(std::move(core)))->handle();
}

BOOL ReleaseMutex(HANDLE mutex) {
  auto* m = platform::handleObject<Mutex>(mutex);
  if (m == nullptr) return FALSE;
  if (m->core->release()) return TRUE;
  SetLastError(ERROR_NOT_OWNER);
  return FALSE;
}

HANDLE CreateEventW(void*, BOOL manualReset, BOOL initialState, LPCWSTR) {
  return (new Event(manualReset != FALSE, initialState != FALSE))->handle();
}

BOOL SetEvent(HANDLE event) {
  auto* e = platform::handleObject<Event>(event);
  if (e == nullptr) return FALSE;
  e->set();
  return TRUE;
}

BOOL ResetEvent(HANDLE event) {
  auto* e = platform::handleObject<Event>(event);
  if (e == nullptr) return FALSE;
  e->reset();
  return TRUE;
}

HANDLE CreateSemaphoreW(void*, LONG initialCount, LONG maximumCount, LPCWSTR) {
  if (maximumCount <= 0 || initialCount < 0 || initialCount > maximumCount) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return (new Semaphore(initialCount, maximumCount))->handle();
}

BOOL ReleaseSemaphore(HANDLE semaphore, LONG releaseCount, LONG* previousCount) {
  auto* s = platform::handleObject<Semaphore>(semaphore);
  return s != nullptr && s->release(releaseCount, previousCount) ? TRUE : FALSE;
}

void InitializeCriticalSection(CRITICAL_SECTION* section) { section->lock = new std::recursive_mutex; }

void DeleteCriticalSection(CRITICAL_SECTION* section) {
  delete static_cast<std::recursive_mutex*>(section->lock);
  section->lock = nullptr;
}

void EnterCriticalSection(CRITICAL_SECTION* section) { static_cast<std::recursive_mutex*>(section->lock)->lock(); }

void LeaveCriticalSection(CRITICAL_SECTION* section) { static_cast<std::recursive_mutex*>(section->lock)->unlock(); }

void Sleep(DWORD milliseconds) {
  platform::passSuspendGate();
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  auto* object = platform::handleObject<platform::Waitable>(handle);
  if (object == nullptr) return WAIT_FAILED;
  platform::passSuspendGate();
  bool forever = milliseconds == INFINITE;
  auto deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : milliseconds);
  return object->waitUntil(deadline, forever) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || handles == nullptr || waitAll) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  platform::Waitable* objects[MAXIMUM_WAIT_OBJECTS];
  for (DWORD i = 0; i < count; ++i) {
    objects[i] = platform::handleObject<platform::Waitable>(handles[i]);
    if (objects[i] == nullptr) return WAIT_FAILED;
  }
  platform::passSuspendGate();
  bool forever = milliseconds == INFINITE;
  auto deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : milliseconds);
  std::unique_lock lock(multipleMutex);
  for (;;) {
    for (DWORD i = 0; i < count; ++i) {
      if (objects[i]->take()) return WAIT_OBJECT_0 + i;
    }
    if (forever) {
      multipleChanged.wait(lock);
    } else if (multipleChanged.wait_until(lock, deadline) == std::cv_status::timeout) {
      // One last look: a signal may have come with the time-out.
      for (DWORD i = 0; i < count; ++i) {
        if (objects[i]->take()) return WAIT_OBJECT_0 + i;
      }
      return WAIT_TIMEOUT;
    }
  }
}
