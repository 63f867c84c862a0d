#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "persist/SnapshotRing.h"
#include "ui/SlotSummaries.h"

class CGameSystem;
class CLayout;
class CRecordFile;
struct SSaveThumbnail;

// The game's saves: numbered slot files ("save%d.dat"), the quick save (slot -1, "qsave.dat") and
// the in-memory ring of previous-choice snapshots (slot -2), the slot summaries of the save and
// load screens, the last slot used and whether a quick save exists.
class CGameSaves {
 public:
  static constexpr int32_t kQuickSlot = -1;
  static constexpr int32_t kSnapshotSlot = -2;

  explicit CGameSaves(CGameSystem& game);
  ~CGameSaves();
  CGameSaves(const CGameSaves&) = delete;
  CGameSaves& operator=(const CGameSaves&) = delete;

  // True when the save was stored; a failed file write leaves the old file as it was.
  bool SaveGame(int32_t slot);
  // True when a record was found, passed the container test and was applied; otherwise the game
  // is left untouched.
  bool LoadGame(int32_t slot);
  // Kept with system.dat: set from the quick-save file's test at start-up and by every quick save.
  bool HasQuickSave() const;
  // The numbered slot used last by a save or a load ("FILE" of system.dat).
  int32_t LastSlot() const;

  // The summaries for the save and load screens, sized to "セーブファイル数".
  CSlotSummaries& Summaries() { return summaries; }
  void ReadSlotSummary(int32_t slot);
  void ReadAllSummaries();
  bool LoadThumbnail(int32_t slot);
  CSnapshotRing& Snapshots() { return snapshots; }

  // The host path of a slot's file; empty for the snapshot ring.
  static std::string SlotPath(int32_t slot);
  // Applies a record body as a load does, for a body that passed the container test.
  void ApplyRecord(CRecordFile& record);

 private:
  bool MakeThumbnail(SSaveThumbnail& thumbnail);
  bool Store(int32_t slot, const CRecordFile& record);
  bool ReadRecord(int32_t slot, CRecordFile& record) const;
  void EnsureSummaries();

  CGameSystem& game;
  CSnapshotRing snapshots;
  CSlotSummaries summaries;
  std::unique_ptr<CLayout> saveLayout;
  bool saveLayoutLoaded = false;
};
