#pragma once
#include <string>

// One running copy per game: the first copy listens on a per-user abstract Unix socket named after the
// window class and title; a second copy finds it, asks it to raise its window, and ends.
class CSingleInstance {
 public:
  CSingleInstance() = default;
  CSingleInstance(const CSingleInstance&) = delete;
  CSingleInstance& operator=(const CSingleInstance&) = delete;
  ~CSingleInstance();

  // True when this process is now the one instance; false when another copy already runs (it was
  // asked to raise its window).
  bool Acquire(const std::string& windowClass, const std::string& title);
  // True once for each raise request that reached this instance since the last call.
  bool TakeRaiseRequest();
  void Release();

 private:
  int listener = -1;
};
