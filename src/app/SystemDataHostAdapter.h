#pragma once
#include "persist/SystemDataHost.h"

class CGameSystem;

// The engine as system.dat sees it: its shared variables and read flags.
class CSystemDataHostAdapter : public ISystemDataHost {
 public:
  explicit CSystemDataHostAdapter(CGameSystem& game) : game(game) {}

  std::map<std::string, int32_t> SharedVariables() const override;
  std::map<std::string, std::string> Keywords() const override;
  std::map<std::string, std::vector<uint8_t>> ReadFlagArrays() const override;

  // Gives the engine's stores what system.dat held (the shared variables must be declared first)
  // and becomes the source of every later write.
  void Attach();
  // Leaves the engine's last values with system.dat, for writes after the engine is gone.
  void Detach();

 private:
  CGameSystem& game;
};
