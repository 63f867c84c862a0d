#pragma once
#include "ui/ConfigHost.h"

class CGameSystem;

// The engine as the config screen sees it.
class CConfigHostAdapter : public IConfigHost {
 public:
  explicit CConfigHostAdapter(CGameSystem& game) : game(game) {}

  bool IsFullScreen() const override;
  void ToggleScreenMode() override;
  int32_t GetVariable(const std::string& name) const override;
  void SetVariable(const std::string& name, int32_t value) override;
  void SetChannelVolume(int channel, int volume) override;
  SPoint GetCursorPos() override;
  void SetCursorPos(int32_t x, int32_t y) override;
  void SetCapture(bool capture) override;
  bool FileExists(const std::string& path) const override;
  void SetKeyword(const std::string& key, const std::string& value) override;
  void ResetKeywords() override;
  void RecreateFonts() override;
  void OpenTextInput(const std::string& caption, const std::string& label, const std::string& text,
                     size_t maxBytes, bool allowEmpty,
                     std::function<void(bool ok, const std::string& text)> done) override;
  void OpenVoiceCategories(const std::vector<std::string>& names, uint32_t mask,
                           std::function<void(bool ok, uint32_t mask)> done) override;
  void OpenFontChoice(const std::string& currentFace,
                      std::function<void(bool ok, const std::string& face)> done) override;

 private:
  CGameSystem& game;
};
