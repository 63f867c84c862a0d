#include "audio/SoundEvents.h"

template <typename F>
void CSoundEvents::Change(F change) {
  {
    std::lock_guard lock(mutex);
    change();
  }
  changed.notify_all();
}

void CSoundEvents::Signal(int index) {
  Change([&] {
    if (!finished) signalled |= 1u << index;
  });
}

void CSoundEvents::PostQuit() {
  Change([&] { quit = true; });
}

uint32_t CSoundEvents::Wait() {
  std::unique_lock lock(mutex);
  changed.wait(lock, [this] { return quit || signalled != 0; });
  if (quit) return 0;
  const uint32_t bits = signalled;
  signalled = 0;
  busy = true;
  return bits;
}

void CSoundEvents::Done() {
  Change([&] { busy = false; });
}

void CSoundEvents::Finish() {
  Change([&] {
    finished = true;
    busy = false;
    signalled = 0;
  });
}

void CSoundEvents::WaitIdle() {
  std::unique_lock lock(mutex);
  changed.wait(lock, [this] { return finished || (signalled == 0 && !busy); });
}
