// Threads on std::thread; suspension is a gate that the thread's own waits pass through.
#include "platform/api/thread.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using Clock = platform::Waitable::Clock;

std::atomic<DWORD> nextThreadId{1};

// Shared by the handle and the running thread, so closing the handle early is safe.
class ThreadState {
 public:
  explicit ThreadState(DWORD suspendCount) : suspendCount_(suspendCount) {}

  bool waitEnded(Clock::time_point deadline, bool forever) {
    std::unique_lock lock(mutex_);
    auto done = [this] { return ended_; };
    if (forever) {
      changed_.wait(lock, done);
      return true;
    }
    return changed_.wait_until(lock, deadline, done);
  }
  bool hasEnded() {
    std::lock_guard lock(mutex_);
    return ended_;
  }
  void passGate() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return suspendCount_ == 0; });
  }
  DWORD suspend() {
    std::lock_guard lock(mutex_);
    return suspendCount_++;
  }
  DWORD resume() {
    std::lock_guard lock(mutex_);
    DWORD before = suspendCount_;
    if (suspendCount_ > 0 && --suspendCount_ == 0) changed_.notify_all();
    return before;
  }
  void end() {
    {
      std::lock_guard lock(mutex_);
      ended_ = true;
      changed_.notify_all();
    }
    platform::wakeMultipleWaits();
  }

  std::atomic<int> priority{THREAD_PRIORITY_NORMAL};
  const DWORD id = nextThreadId.fetch_add(1);

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  DWORD suspendCount_;  // guarded by mutex_
  bool ended_ = false;  // guarded by mutex_
};

class Thread : public platform::Waitable {
 public:
  explicit Thread(std::shared_ptr<ThreadState> state) : state(std::move(state)) {}
  bool waitUntil(Clock::time_point deadline, bool forever) override { return state->waitEnded(deadline, forever); }
  bool take() override { return state->hasEnded(); }

  const std::shared_ptr<ThreadState> state;
};

thread_local std::shared_ptr<ThreadState> currentThread;
thread_local DWORD hostThreadId = 0;

}  // namespace

namespace platform {

void passSuspendGate() {
  if (currentThread) currentThread->passGate();
}

}  // namespace platform

HANDLE CreateThread(void*, DWORD, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD creationFlags,
                    DWORD* threadId) {
  if (start == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto state = std::make_shared<ThreadState>((creationFlags & CREATE_SUSPENDED) ? 1 : 0);
  try {
    std::thread([state, start, parameter] {
      currentThread = state;
      hostThreadId = state->id;
      state->passGate();
      start(parameter);
      state->end();
      currentThread.reset();
    }).detach();
  } catch (const std::system_error&) {
    return nullptr;
  }
  if (threadId) *threadId = state->id;
  return (new Thread(state))->handle();
}

DWORD SuspendThread(HANDLE handle) {
  auto* thread = platform::handleObject<Thread>(handle);
  return thread ? thread->state->suspend() : 0xFFFFFFFF;
}

DWORD ResumeThread(HANDLE handle) {
  auto* thread = platform::handleObject<Thread>(handle);
  return thread ? thread->state->resume() : 0xFFFFFFFF;
}

BOOL SetThreadPriority(HANDLE handle, int priority) {
  auto* thread = platform::handleObject<Thread>(handle);
  if (thread == nullptr) return FALSE;
  if (priority < THREAD_PRIORITY_TIME_CRITICAL || priority > THREAD_PRIORITY_IDLE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  thread->state->priority = priority;
  return TRUE;
}

int GetThreadPriority(HANDLE handle) {
  auto* thread = platform::handleObject<Thread>(handle);
  return thread ? thread->state->priority.load() : THREAD_PRIORITY_ERROR_RETURN;
}

DWORD GetCurrentThreadId() {
  // Threads the stand-in did not create (the main thread) get an id on first ask.
  if (hostThreadId == 0) hostThreadId = nextThreadId.fetch_add(1);
  return hostThreadId;
}
