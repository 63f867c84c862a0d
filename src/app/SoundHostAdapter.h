#pragma once
#include "audio/SoundHost.h"

class CGameSystem;

// The engine as the sound system sees it.
class CSoundHostAdapter : public ISoundHost {
 public:
  explicit CSoundHostAdapter(CGameSystem& game) : game(game) {}

  bool IsSkipping() const override;
  bool IsPageCompletionRequested() const override;
  bool IsBacklogOpen() const override;
  void SetVoiceReference(const std::string& name) override;
  void WaitForChannels(uint32_t mask) override;
  void DiscardElapsedTime() override;
  void ReportMissingFile(const std::string& name) override;
  int GetVolumeSetting(int channel) const override;
  uint32_t GetVoiceCategoryMask() const override;
  std::string GetVoiceCategoryPrefix(int index) const override;
  void MarkMusicHeard(const std::string& name) override;
  std::string GetSetting(const std::string& key) const override;

 private:
  CGameSystem& game;
};
