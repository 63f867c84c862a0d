#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Geometry.h"

class CSlotSummaries;

// What the save and load screens need of the engine. Strings are Shift JIS.
class ISaveLoadHost {
 public:
  virtual ~ISaveLoadHost() = default;

  // Reads the summary of every numbered slot ("セーブファイル数" of them) and returns them all.
  virtual CSlotSummaries& ReadSummaries() = 0;
  // Frees the summaries and their thumbnails.
  virtual void FreeSummaries() = 0;
  // Reads a slot's thumbnail into its summary unless it has one.
  virtual void LoadThumbnail(int32_t slot) = 0;
  // The slot used last by a save or a load (0 before the first).
  virtual int32_t LastSlot() const = 0;

  // Saves into a numbered slot; with a comment, the save carries it instead of the game's own
  // comment, which stays as it was.
  virtual bool SaveGame(int32_t slot, const std::string* comment) = 0;
  virtual bool LoadGame(int32_t slot) = 0;
  // The comment the next save carries (SAVETITLE).
  virtual std::string SaveComment() const = 0;

  // The text-input dialog; done(true, text) on OK, done(false, "") on cancel. maxBytes counts Shift JIS.
  virtual void OpenTextInput(const std::string& caption, const std::string& label, const std::string& text,
                             size_t maxBytes, bool allowEmpty,
                             std::function<void(bool ok, const std::string& text)> done) = 0;
  // A message box with an OK button.
  virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
  // The mouse cursor in game-screen pixels.
  virtual SPoint Cursor() const = 0;
};
