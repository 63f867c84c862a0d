#pragma once
#include "ui/MessageHost.h"

class CGameSystem;

// The engine as the message text and the message window see it.
class CMessageHostAdapter : public IMessageHost {
 public:
  explicit CMessageHostAdapter(CGameSystem& game) : game(game) {}

  int32_t GetMode() const override;
  void SetMode(int32_t mode) override;
  void SetWaitLength(int32_t ticks) override;
  int32_t GetLostTicks() const override;
  void SetLostTicks(int32_t ticks) override;

  bool IsOpeningRunning() const override;
  bool IsDemoMode() const override;
  bool HasScreenMode() const override;
  bool IsForcedSkip() const override;
  bool IsSkipMode() const override;
  bool IsAutoMode() const override;
  bool IsControlKeyHeld() const override;

  std::string CurrentScriptName() const override;
  int32_t CurrentCommandNumber() const override;

  int32_t GetMenuState() const override;
  bool IsDialogOpen() const override;
  bool IsReplay() const override;
  const std::vector<SChoice>& Choices() const override;
  const std::vector<SClickRegion>& ClickRegions() const override;
  int32_t GetChoiceHover() const override;
  const CGameClock& GameClock() const override;

 private:
  CGameSystem& game;
};
