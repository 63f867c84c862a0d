#pragma once
#include <cstdint>
#include <string>

// What the menu layer needs of the engine object. Strings are Shift JIS.
class IMenuHost {
 public:
  virtual ~IMenuHost() = default;

  virtual int32_t GetMode() const = 0;  // the engine mode, 0 to 21
  virtual size_t ChoiceCount() const = 0;
  // The player's skip and auto toggles.
  virtual bool IsSkipMode() const = 0;
  virtual void SetSkipMode(bool value) = 0;
  virtual bool IsAutoMode() const = 0;
  virtual void SetAutoMode(bool value) = 0;
  virtual bool IsReplay() const = 0;  // a flashback scene replays
  // The opening script runs or the script keeps the player out of the menu (demo mode).
  virtual bool IsMenuLocked() const = 0;

  virtual void PlayDecideSound() = 0;
  virtual void StopVoice() = 0;  // sound channel 3
  // The game is reset and the title (or, after a replay, the flashback screen) takes over.
  virtual void ReturnToTitle() = 0;
  // Slot -1 is the quick save, -2 the ring of previous-choice snapshots.
  virtual bool SaveGame(int32_t slot) = 0;
  virtual bool LoadGame(int32_t slot) = 0;
  virtual bool HasQuickSave() const = 0;
  virtual bool HasPreviousChoice() const = 0;
  // A message box with an OK button.
  virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
};
