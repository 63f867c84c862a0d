#pragma once
#include "ui/SaveLoadHost.h"

class CGameSystem;

// The engine as the save and load screens see it.
class CSaveLoadHostAdapter : public ISaveLoadHost {
 public:
  explicit CSaveLoadHostAdapter(CGameSystem& game) : game(game) {}

  CSlotSummaries& ReadSummaries() override;
  void FreeSummaries() override;
  void LoadThumbnail(int32_t slot) override;
  int32_t LastSlot() const override;
  bool SaveGame(int32_t slot, const std::string* comment) override;
  bool LoadGame(int32_t slot) override;
  std::string SaveComment() const override;
  void OpenTextInput(const std::string& caption, const std::string& label, const std::string& text,
                     size_t maxBytes, bool allowEmpty,
                     std::function<void(bool ok, const std::string& text)> done) override;
  void ShowMessage(const std::string& caption, const std::string& text) override;
  SPoint Cursor() const override;

 private:
  CGameSystem& game;
};
