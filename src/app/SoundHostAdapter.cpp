#include "app/SoundHostAdapter.h"

#include "app/GameSystem.h"
#include "io/Path.h"
#include "io/ShiftJis.h"
#include "persist/Settings.h"
#include "script/ScriptRunner.h"
#include "ui/MessageText.h"

bool CSoundHostAdapter::IsSkipping() const { return game.Text().IsSkipping(); }

bool CSoundHostAdapter::IsPageCompletionRequested() const { return game.Text().IsCompletionRequested(); }

// The backlog screen comes with the menu layer.
bool CSoundHostAdapter::IsBacklogOpen() const { return game.MenuState() == 7; }

void CSoundHostAdapter::SetVoiceReference(const std::string& name) { game.Text().SetVoice(name); }

void CSoundHostAdapter::WaitForChannels(uint32_t mask) { game.Script().WaitForSounds(mask); }

void CSoundHostAdapter::DiscardElapsedTime() { game.DiscardElapsedTime(); }

void CSoundHostAdapter::ReportMissingFile(const std::string& name) { ShowFileError(name); }

int CSoundHostAdapter::GetVolumeSetting(int channel) const {
  return settings::Config().ChannelVolume(channel);
}

uint32_t CSoundHostAdapter::GetVoiceCategoryMask() const { return settings::Config().VoiceMask(); }

std::string CSoundHostAdapter::GetVoiceCategoryPrefix(int index) const {
  const auto& categories = settings::VoiceCategories();
  return index >= 0 && index < static_cast<int>(categories.size()) ? categories[index].value : std::string();
}

void CSoundHostAdapter::MarkMusicHeard(const std::string& name) {
  const std::string wanted = sjis::ToUpperAscii(name);
  for (SMusicEntry& entry : settings::Extras().Music())
    if (sjis::ToUpperAscii(entry.file) == wanted) entry.unlocked = true;
}

std::string CSoundHostAdapter::GetSetting(const std::string& key) const {
  return settings::GetSetting(key, "");
}
