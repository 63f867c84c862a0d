#pragma once
#include "ui/BacklogHost.h"

class CGameSystem;

// The engine as the backlog screen sees it.
class CBacklogHostAdapter : public IBacklogHost {
 public:
  explicit CBacklogHostAdapter(CGameSystem& game) : game(game) {}

  void PlayVoice(const std::string& name) override;
  SPoint GetCursorPos() override;
  void SetCapture(bool capture) override;

 private:
  CGameSystem& game;
};
