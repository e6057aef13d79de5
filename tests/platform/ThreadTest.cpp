// The stand-in's threads, events, semaphores, mutexes and critical sections.
#include <gtest/gtest.h>

#include <atomic>

#include "platform/api/sync.h"
#include "platform/api/thread.h"

namespace {

struct Counter {
  std::atomic<int> passes{0};
  HANDLE stop = nullptr;
};

// Counts passes until told to stop, waiting 1 ms on the stop event each time.
DWORD countUntilStopped(LPVOID parameter) {
  auto* c = static_cast<Counter*>(parameter);
  while (WaitForSingleObject(c->stop, 1) == WAIT_TIMEOUT) ++c->passes;
  return 0;
}

}  // namespace

TEST(ThreadTest, SuspendedThreadRunsOnlyWhileResumed) {
  Counter c;
  c.stop = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, countUntilStopped, &c, CREATE_SUSPENDED, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST));
  EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_HIGHEST);
  Sleep(30);
  EXPECT_EQ(c.passes.load(), 0);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);

  EXPECT_EQ(ResumeThread(thread), 1u);
  while (c.passes.load() < 3) Sleep(1);

  // Suspended, it stops at its next wait.
  EXPECT_EQ(SuspendThread(thread), 0u);
  Sleep(20);
  int frozen = c.passes.load();
  Sleep(30);
  EXPECT_LE(c.passes.load(), frozen + 1);

  // A suspended thread is resumed before it is told to stop, as the sound driver's close does.
  EXPECT_EQ(ResumeThread(thread), 1u);
  SetEvent(c.stop);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_TRUE(CloseHandle(c.stop));
  EXPECT_FALSE(CloseHandle(c.stop));
}

TEST(ThreadTest, AutoResetEventLetsOneWaitThroughPerSignal) {
  HANDLE event = CreateEventW(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 5), WAIT_TIMEOUT);
  SetEvent(event);
  SetEvent(event);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST(ThreadTest, SemaphoreCountsUpToItsMaximum) {
  HANDLE s = CreateSemaphoreW(nullptr, 0, 2, nullptr);
  EXPECT_EQ(WaitForSingleObject(s, 3), WAIT_TIMEOUT);
  LONG previous = -1;
  EXPECT_TRUE(ReleaseSemaphore(s, 2, &previous));
  EXPECT_EQ(previous, 0);
  EXPECT_FALSE(ReleaseSemaphore(s, 1, nullptr));  // past the maximum: nothing changes
  EXPECT_EQ(WaitForSingleObject(s, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(s, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(s, 0), WAIT_TIMEOUT);
  CloseHandle(s);
  EXPECT_EQ(CreateSemaphoreW(nullptr, 3, 2, nullptr), nullptr);
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
}

TEST(ThreadTest, AWaitOnSeveralObjectsTakesTheFirstSignalledOne) {
  HANDLE stop = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE buffers = CreateSemaphoreW(nullptr, 0, 5, nullptr);
  const HANDLE both[] = {stop, buffers};
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_TIMEOUT);
  ReleaseSemaphore(buffers, 2, nullptr);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, INFINITE), WAIT_OBJECT_0 + 1);  // one count taken
  SetEvent(stop);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, INFINITE), WAIT_OBJECT_0);  // the first listed wins
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, INFINITE), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_TIMEOUT);

  // Another thread's signal ends a wait without a time-out, whether it comes before the wait or during it;
  // a thread's handle is signalled when it ends.
  HANDLE setter = CreateThread(
      nullptr, 0, [](LPVOID event) -> DWORD { return SetEvent(static_cast<HANDLE>(event)) ? 0 : 1; }, stop, 0, nullptr);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForMultipleObjects(1, &setter, FALSE, INFINITE), WAIT_OBJECT_0);

  // A free mutex is taken, by its owner again too, and freed by as many releases.
  HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
  EXPECT_EQ(WaitForMultipleObjects(1, &mutex, FALSE, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForMultipleObjects(1, &mutex, FALSE, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_FALSE(ReleaseMutex(mutex));
  CloseHandle(mutex);

  // As on the handheld: no waiting for all, at least one handle, and only handles that can be waited on.
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(0, both, FALSE, 0), WAIT_FAILED);
  CloseHandle(setter);
  const HANDLE closed[] = {stop, setter};
  EXPECT_EQ(WaitForMultipleObjects(2, closed, FALSE, 0), WAIT_FAILED);
  CloseHandle(stop);
  CloseHandle(buffers);
}

TEST(ThreadTest, CriticalSectionIsRecursiveAndExcludesOtherThreads) {
  struct Shared {
    CRITICAL_SECTION guard;
    int value = 0;  // guarded by guard
  } shared;
  InitializeCriticalSection(&shared.guard);
  EnterCriticalSection(&shared.guard);
  EnterCriticalSection(&shared.guard);
  auto bump = [](LPVOID p) -> DWORD {
    auto* s = static_cast<Shared*>(p);
    for (int i = 0; i < 1000; ++i) {
      EnterCriticalSection(&s->guard);
      ++s->value;
      LeaveCriticalSection(&s->guard);
    }
    return 0;
  };
  HANDLE a = CreateThread(nullptr, 0, bump, &shared, 0, nullptr);
  HANDLE b = CreateThread(nullptr, 0, bump, &shared, 0, nullptr);
  Sleep(10);
  EXPECT_EQ(shared.value, 0);  // both threads wait while the main thread holds the lock
  LeaveCriticalSection(&shared.guard);
  LeaveCriticalSection(&shared.guard);
  WaitForSingleObject(a, INFINITE);
  WaitForSingleObject(b, INFINITE);
  EXPECT_EQ(shared.value, 2000);
  CloseHandle(a);
  CloseHandle(b);
  DeleteCriticalSection(&shared.guard);
}

namespace {

struct MutexProbe {
  HANDLE mutex = nullptr;
  std::atomic<DWORD> waited{0xFFFFFFFF};
  std::atomic<BOOL> released{FALSE};
};

// Tries the mutex without waiting, and tries to release it without owning it.
DWORD probeMutex(LPVOID parameter) {
  auto* p = static_cast<MutexProbe*>(parameter);
  p->released = ReleaseMutex(p->mutex);
  p->waited = WaitForSingleObject(p->mutex, 0);
  if (p->waited == WAIT_OBJECT_0) ReleaseMutex(p->mutex);
  return 0;
}

DWORD probeOnce(MutexProbe& probe) {
  HANDLE thread = CreateThread(nullptr, 0, probeMutex, &probe, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return probe.waited.load();
}

}  // namespace

TEST(ThreadTest, MutexesOfOneNameAreOneMutexOwnedByAThread) {
  HANDLE first = CreateMutexW(nullptr, FALSE, u"ThreadTestMutex");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE second = CreateMutexW(nullptr, TRUE, u"ThreadTestMutex");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  HANDLE other = CreateMutexW(nullptr, FALSE, u"AnotherMutex");

  // Taken twice through different handles by this thread: another thread sees it held until both go.
  EXPECT_EQ(WaitForSingleObject(first, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(second, INFINITE), WAIT_OBJECT_0);
  MutexProbe probe{second};
  EXPECT_EQ(probeOnce(probe), WAIT_TIMEOUT);
  EXPECT_FALSE(probe.released.load());
  MutexProbe otherProbe{other};
  EXPECT_EQ(probeOnce(otherProbe), WAIT_OBJECT_0);
  EXPECT_TRUE(ReleaseMutex(first));
  EXPECT_EQ(probeOnce(probe), WAIT_TIMEOUT);
  EXPECT_TRUE(ReleaseMutex(second));
  EXPECT_FALSE(ReleaseMutex(second));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
  EXPECT_EQ(probeOnce(probe), WAIT_OBJECT_0);

  EXPECT_TRUE(CloseHandle(first));
  EXPECT_TRUE(CloseHandle(second));
  EXPECT_TRUE(CloseHandle(other));
}
