#include "app/MenuHostAdapter.h"

#include "app/GameSystem.h"
#include "audio/SoundSystem.h"
#include "platform/Platform.h"

int32_t CMenuHostAdapter::GetMode() const { return game.Mode(); }

size_t CMenuHostAdapter::ChoiceCount() const { return game.Choices().size(); }

bool CMenuHostAdapter::IsSkipMode() const { return game.IsSkipping(); }

void CMenuHostAdapter::SetSkipMode(bool value) { game.SetSkipping(value); }

bool CMenuHostAdapter::IsAutoMode() const { return game.IsAutoMode(); }

void CMenuHostAdapter::SetAutoMode(bool value) { game.SetAutoMode(value); }

bool CMenuHostAdapter::IsReplay() const { return game.IsReplay(); }

bool CMenuHostAdapter::IsMenuLocked() const { return game.IsOpeningRunning() || game.IsDemoMode(); }

void CMenuHostAdapter::PlayDecideSound() { game.Sound().PlaySystemSound("決定SE"); }

void CMenuHostAdapter::StopVoice() { game.Sound().StopSound(CSoundSystem::kVoiceChannel, 0); }

void CMenuHostAdapter::ReturnToTitle() { game.ReturnToTitle(); }

bool CMenuHostAdapter::SaveGame(int32_t slot) { return game.SaveGame(slot); }

bool CMenuHostAdapter::LoadGame(int32_t slot) { return game.LoadGame(slot); }

bool CMenuHostAdapter::HasQuickSave() const { return game.HasQuickSave(); }

bool CMenuHostAdapter::HasPreviousChoice() const { return game.HasPreviousChoice(); }

void CMenuHostAdapter::ShowMessage(const std::string& caption, const std::string& text) {
  game.Platform().Dialogs().MessageBox(caption, text, false);
}
