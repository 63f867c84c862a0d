#pragma once
#include "ui/MenuHost.h"

class CGameSystem;

// The engine as the menu layer sees it.
class CMenuHostAdapter : public IMenuHost {
 public:
  explicit CMenuHostAdapter(CGameSystem& game) : game(game) {}

  int32_t GetMode() const override;
  size_t ChoiceCount() const override;
  bool IsSkipMode() const override;
  void SetSkipMode(bool value) override;
  bool IsAutoMode() const override;
  void SetAutoMode(bool value) override;
  bool IsReplay() const override;
  bool IsMenuLocked() const override;

  void PlayDecideSound() override;
  void StopVoice() override;
  void ReturnToTitle() override;
  bool SaveGame(int32_t slot) override;
  bool LoadGame(int32_t slot) override;
  bool HasQuickSave() const override;
  bool HasPreviousChoice() const override;
  void ShowMessage(const std::string& caption, const std::string& text) override;

 private:
  CGameSystem& game;
};
