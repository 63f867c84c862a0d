#include "app/MessageHostAdapter.h"

#include "app/GameSystem.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptRunner.h"
#include "ui/DialogLayer.h"

int32_t CMessageHostAdapter::GetMode() const { return game.Mode(); }
void CMessageHostAdapter::SetMode(int32_t mode) { game.SetMode(mode); }
void CMessageHostAdapter::SetWaitLength(int32_t ticks) { game.SetWaitLength(ticks); }
int32_t CMessageHostAdapter::GetLostTicks() const { return game.Clock().LostTicks(); }
void CMessageHostAdapter::SetLostTicks(int32_t ticks) { game.Clock().SetLostTicks(ticks); }

bool CMessageHostAdapter::IsOpeningRunning() const { return game.IsOpeningRunning(); }
bool CMessageHostAdapter::IsDemoMode() const { return game.IsDemoMode(); }
bool CMessageHostAdapter::HasScreenMode() const { return game.HasScreenMode(); }
bool CMessageHostAdapter::IsForcedSkip() const { return game.Script().IsFastForwarding(); }
bool CMessageHostAdapter::IsSkipMode() const { return game.IsSkipping(); }
bool CMessageHostAdapter::IsAutoMode() const { return game.IsAutoMode(); }

// Message boxes are modal and run their own loop; the engine's own dialogs keep Ctrl for themselves.
bool CMessageHostAdapter::IsControlKeyHeld() const {
  return !game.Dialogs().IsOpen() && game.Platform().Input().IsKeyDown(vk::kControl);
}

std::string CMessageHostAdapter::CurrentScriptName() const { return game.Script().GetScriptName(); }
int32_t CMessageHostAdapter::CurrentCommandNumber() const { return game.Script().GetReadPosition(); }

int32_t CMessageHostAdapter::GetMenuState() const { return game.MenuState(); }
bool CMessageHostAdapter::IsDialogOpen() const { return game.Dialogs().IsOpen(); }
bool CMessageHostAdapter::IsReplay() const { return game.IsReplay(); }
const std::vector<SChoice>& CMessageHostAdapter::Choices() const { return game.Choices(); }
const std::vector<SClickRegion>& CMessageHostAdapter::ClickRegions() const { return game.ClickRegions(); }
int32_t CMessageHostAdapter::GetChoiceHover() const { return game.ChoiceHover(); }
const CGameClock& CMessageHostAdapter::GameClock() const { return game.GameClock(); }
