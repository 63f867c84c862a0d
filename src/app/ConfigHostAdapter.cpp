#include "app/ConfigHostAdapter.h"

#include "app/GameSystem.h"
#include "audio/SoundSystem.h"
#include "io/PackArchive.h"
#include "persist/Settings.h"
#include "platform/Platform.h"
#include "ui/MessageText.h"

bool CConfigHostAdapter::IsFullScreen() const { return !game.Display().IsWindowed(); }

void CConfigHostAdapter::ToggleScreenMode() { game.ToggleScreenMode(); }

int32_t CConfigHostAdapter::GetVariable(const std::string& name) const {
  return game.Variables().GetVariable(name);
}

void CConfigHostAdapter::SetVariable(const std::string& name, int32_t value) {
  game.Variables().SetVariable(name, value);
}

void CConfigHostAdapter::SetChannelVolume(int channel, int volume) {
  game.Sound().SetChannelVolume(channel, volume);
}

SPoint CConfigHostAdapter::GetCursorPos() { return game.Platform().Input().GetCursorPos(); }

void CConfigHostAdapter::SetCursorPos(int32_t x, int32_t y) { game.Platform().Input().SetCursorPos(x, y); }

void CConfigHostAdapter::SetCapture(bool capture) { game.Platform().Input().SetCapture(capture); }

bool CConfigHostAdapter::FileExists(const std::string& path) const {
  return CPackArchive::Instance().Exists(path);
}

void CConfigHostAdapter::SetKeyword(const std::string& key, const std::string& value) {
  settings::Keywords().Set(key, value);
  game.Variables().SetSubstitution(key, value);
}

void CConfigHostAdapter::ResetKeywords() {
  settings::Keywords().ResetToDefaults();
  for (const auto& [key, value] : settings::Keywords().Current())
    game.Variables().SetSubstitution(key, value);
}

void CConfigHostAdapter::RecreateFonts() {
  if (IFontRasterizer* fonts = game.Platform().Fonts()) game.Text().CreateFonts(*fonts);
  game.Display().MarkAllDirty();
}

// The engine has no dialog layer of its own yet: every dialog answers as cancelled, so the name,
// the voice categories and the face stay as they are.
void CConfigHostAdapter::OpenTextInput(const std::string&, const std::string&, const std::string&, size_t,
                                       bool, std::function<void(bool ok, const std::string& text)> done) {
  done(false, "");
}

void CConfigHostAdapter::OpenVoiceCategories(const std::vector<std::string>&, uint32_t mask,
                                             std::function<void(bool ok, uint32_t mask)> done) {
  done(false, mask);
}

void CConfigHostAdapter::OpenFontChoice(const std::string&,
                                        std::function<void(bool ok, const std::string& face)> done) {
  done(false, "");
}
