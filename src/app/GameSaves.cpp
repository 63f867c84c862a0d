#include "app/GameSaves.h"

#include <algorithm>

#include "app/GameSystem.h"
#include "app/SaveReader.h"
#include "app/SaveWriter.h"
#include "audio/SoundSystem.h"
#include "gfx/Thumbnail.h"
#include "io/PackArchive.h"
#include "io/Trace.h"
#include "persist/RecordFile.h"
#include "persist/Settings.h"
#include "persist/SystemData.h"
#include "script/ScriptRunner.h"
#include "ui/Layout.h"
#include "ui/MessageText.h"

namespace {

constexpr const char* kSaveLayout = "system\\save\\save.scn";
constexpr const char* kThumbnailControl = "サムネイル";

}  // namespace

CGameSaves::CGameSaves(CGameSystem& game) : game(game) {}
CGameSaves::~CGameSaves() = default;

std::string CGameSaves::SlotPath(int32_t slot) {
  if (slot == kQuickSlot) return settings::SaveDirectory() + "qsave.dat";
  if (slot < 0) return {};
  return settings::SaveDirectory() + "save" + std::to_string(slot) + ".dat";
}

bool CGameSaves::HasQuickSave() const { return CSystemData::Instance().HasQuickSave(); }
int32_t CGameSaves::LastSlot() const { return CSystemData::Instance().LastSlot(); }

void CGameSaves::EnsureSummaries() {
  if (summaries.Count() != settings::SaveSlotCount()) summaries.Resize(settings::SaveSlotCount());
}

bool CGameSaves::SaveGame(int32_t slot) {
  CRecordFile record;
  SSaveThumbnail thumbnail;
  const bool withThumbnail = slot >= 0 && MakeThumbnail(thumbnail);
  CSaveWriter(game, record).Write(withThumbnail ? &thumbnail : nullptr);
  const bool ok = Store(slot, record);
  if (ok && slot >= 0) {
    EnsureSummaries();
    summaries.ReadSlotSummary(slot, SlotPath(slot));
    summaries.SetThumbnail(slot, thumbnail.pixels, thumbnail.width, thumbnail.height);
    CSystemData::Instance().SetLastSlot(slot);
  }
  if (ok && slot == kQuickSlot) CSystemData::Instance().SetQuickSave(true);
  if (ok && slot != kSnapshotSlot) game.Sound().PlaySystemSound("成功SE");
  CTrace::Event("save", {{"slot", slot}, {"ok", ok}});
  return ok;
}

bool CGameSaves::Store(int32_t slot, const CRecordFile& record) {
  if (slot == kSnapshotSlot) {
    snapshots.Push(record.PlainBody());
    return true;
  }
  const std::string path = SlotPath(slot);
  return !path.empty() && record.WriteToFile(path);
}

// The screen as it looks without the save screen, scaled to the size of the save layout's
// thumbnail control; false when the layout has no control of a usable size.
bool CGameSaves::MakeThumbnail(SSaveThumbnail& thumbnail) {
  if (!saveLayoutLoaded) {
    saveLayoutLoaded = true;
    if (CPackArchive::Instance().Exists(kSaveLayout)) {
      saveLayout = std::make_unique<CLayout>();
      if (!saveLayout->Load(game.Display(), kSaveLayout)) saveLayout.reset();
    }
  }
  if (!saveLayout) return false;
  const SRect rect = saveLayout->GetControlRect(kThumbnailControl);
  CDisplay& display = game.Display();
  const int32_t width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (!CThumbnail::IsValidSize(width, height, display.Width(), display.Height())) return false;
  game.DrawGameScreen();
  thumbnail.pixels = CThumbnail::Scale(display.Pixels(), display.Width(), display.Height(), width, height);
  display.MarkAllDirty();
  thumbnail.width = width;
  thumbnail.height = height;
  return !thumbnail.pixels.empty();
}

bool CGameSaves::ReadRecord(int32_t slot, CRecordFile& record) const {
  if (slot == kSnapshotSlot) {
    if (snapshots.IsEmpty()) return false;
    record = CRecordFile(snapshots.At(0));
    return true;
  }
  const std::string path = SlotPath(slot);
  return !path.empty() && record.LoadFromFile(path);
}

bool CGameSaves::LoadGame(int32_t slot) {
  CRecordFile record;
  const bool ok = ReadRecord(slot, record);
  if (ok) {
    ApplyRecord(record);
    game.Sound().PlaySystemSound("成功SE");
    if (slot >= 0) CSystemData::Instance().SetLastSlot(slot);
    if (slot == kSnapshotSlot)
      snapshots.DropNewest();
    else
      snapshots.Clear();
  }
  CTrace::Event("load", {{"slot", slot}, {"ok", ok}});
  return ok;
}

void CGameSaves::ApplyRecord(CRecordFile& record) {
  game.ResetGame();
  CSaveReader reader(game, record);
  reader.Apply();
  // The script goes on once, so a game saved between two waits reaches its next wait at once.
  if (game.Script().IsActive()) game.Script().RunScript(0, -1, -1);
  game.Text().RestoreMessage(reader.MessageNumber());
  game.DiscardElapsedTime();
}

void CGameSaves::ReadSlotSummary(int32_t slot) {
  EnsureSummaries();
  summaries.ReadSlotSummary(slot, SlotPath(slot));
}

void CGameSaves::ReadAllSummaries() {
  EnsureSummaries();
  for (int32_t slot = 0; slot < summaries.Count(); ++slot) summaries.ReadSlotSummary(slot, SlotPath(slot));
}

bool CGameSaves::LoadThumbnail(int32_t slot) {
  EnsureSummaries();
  return summaries.LoadThumbnail(slot, SlotPath(slot));
}
