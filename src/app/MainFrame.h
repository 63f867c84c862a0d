#pragma once
#include <string>

#include "app/GameSystem.h"
#include "app/PlayerKeys.h"

struct SPlatformEvent;

// The main window: embeds the engine object and routes window messages into it.
class CMainFrame {
 public:
  static constexpr const char* kWindowClass = "ZEL Script Window";

  explicit CMainFrame(IPlatform& platform) : platform(platform), game(platform), playerKeys(game) {}

  enum class ECreateResult { kCreated, kAnotherInstance, kFailed };
  // Creates the window for the game screen, unless another copy of the game already runs (that copy
  // is asked to raise its window instead).
  ECreateResult Create(bool singleInstance);
  // Handles one window message; returns false once the window has closed.
  bool Dispatch(const SPlatformEvent& event);
  bool IsClosed() const { return closed; }
  void Close();

  CGameSystem& Game() { return game; }

 private:
  IPlatform& platform;
  CGameSystem game;
  CPlayerKeys playerKeys;
  bool closed = false;
};
