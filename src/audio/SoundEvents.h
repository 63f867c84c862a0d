#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

// The streaming thread's wake-up: one auto-reset event per channel and a quit request. It also
// tells a simulated device when the thread has finished the refills it was woken for.
class CSoundEvents {
 public:
  static constexpr int kCount = 5;

  void Signal(int index);
  void PostQuit();
  // Blocks until an event is signalled or quit was posted. Returns the signalled events as bits and
  // resets them; 0 means quit.
  uint32_t Wait();
  // The thread finished the work for the events Wait returned.
  void Done();
  // The thread ended; nothing will be serviced any more.
  void Finish();
  // Blocks until no event is pending or being serviced, or the thread has ended.
  void WaitIdle();

 private:
  // Runs change under the mutex and wakes every waiter.
  template <typename F>
  void Change(F change);

  std::mutex mutex;
  std::condition_variable changed;
  uint32_t signalled = 0;
  bool quit = false;
  bool busy = false;
  bool finished = false;
};
