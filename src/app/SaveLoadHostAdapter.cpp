#include "app/SaveLoadHostAdapter.h"

#include "app/GameSaves.h"
#include "app/GameSystem.h"
#include "app/ScriptHostAdapter.h"
#include "platform/Platform.h"

CSlotSummaries& CSaveLoadHostAdapter::ReadSummaries() {
  game.Saves().ReadAllSummaries();
  return game.Saves().Summaries();
}

void CSaveLoadHostAdapter::FreeSummaries() { game.Saves().Summaries().Resize(0); }

void CSaveLoadHostAdapter::LoadThumbnail(int32_t slot) { game.Saves().LoadThumbnail(slot); }

int32_t CSaveLoadHostAdapter::LastSlot() const { return game.Saves().LastSlot(); }

bool CSaveLoadHostAdapter::SaveGame(int32_t slot, const std::string* comment) {
  if (!comment) return game.SaveGame(slot);
  // The edited comment goes into this save only; the game's own comment stays for the next one.
  CScriptHostAdapter& script = game.ScriptHost();
  const std::string previous = script.SaveTitle();
  script.SetSaveTitle(*comment);
  const bool ok = game.SaveGame(slot);
  script.SetSaveTitle(previous);
  return ok;
}

bool CSaveLoadHostAdapter::LoadGame(int32_t slot) { return game.LoadGame(slot); }

std::string CSaveLoadHostAdapter::SaveComment() const { return game.ScriptHost().SaveTitle(); }

void CSaveLoadHostAdapter::OpenTextInput(const std::string&, const std::string&, const std::string& text,
                                         size_t, bool,
                                         std::function<void(bool ok, const std::string& text)> done) {
  done(true, text);
}

void CSaveLoadHostAdapter::ShowMessage(const std::string& caption, const std::string& text) {
  game.Platform().Dialogs().MessageBox(caption, text, false);
}

SPoint CSaveLoadHostAdapter::Cursor() const { return game.Platform().Input().GetCursorPos(); }
