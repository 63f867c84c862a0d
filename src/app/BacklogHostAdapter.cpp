#include "app/BacklogHostAdapter.h"

#include "app/GameSystem.h"
#include "audio/SoundSystem.h"
#include "platform/Platform.h"

void CBacklogHostAdapter::PlayVoice(const std::string& name) {
  game.Sound().PlaySound(name, CSoundSystem::kVoiceChannel, false, false, 0);
}

SPoint CBacklogHostAdapter::GetCursorPos() { return game.Platform().Input().GetCursorPos(); }

void CBacklogHostAdapter::SetCapture(bool capture) { game.Platform().Input().SetCapture(capture); }
