#include "modes/FlashbackMode.h"

#include <algorithm>
#include <string>

#include "app/GameSystem.h"
#include "audio/SoundSystem.h"
#include "persist/Settings.h"

namespace {

const std::vector<SFlashbackEntry>& List() { return settings::Extras().Flashback(); }

}  // namespace

CFlashbackMode::SPosition& CFlashbackMode::Remembered() {
  static SPosition position;
  return position;
}

std::unique_ptr<CScreenMode> CFlashbackMode::Create(CGameSystem& game, bool fromTitle) {
  if (fromTitle) Remembered() = {};
  auto flashback = std::make_unique<CFlashbackMode>(game);
  if (!flashback->Load()) return nullptr;
  return flashback;
}

CFlashbackMode::CFlashbackMode(CGameSystem& g) : CExtrasScreen(g) {}

// Whichever way the screen is left, its place is kept for the return from a replay.
CFlashbackMode::~CFlashbackMode() {
  if (grid.Slots() > 0) Remembered() = {grid.Category(), grid.Page(), grid.Slot()};
}

bool CFlashbackMode::Load() {
  if (!LoadGrid("flashback", "fl_blank.bmp", 1)) return false;
  game.Sound().PlayMusicByKey("フラッシュバックBGM");
  const SPosition at = Remembered();
  SelectCategory(at.category, at.page, at.slot);
  return true;
}

void CFlashbackMode::SelectCategory(int32_t category, int32_t page, int32_t slot) {
  visible = EntriesOfCategory(List(), category);
  grid.SetCategory(category);
  grid.SetEntries(SeenEntries(List(), visible), page, slot);
}

int CFlashbackMode::Update(int32_t delta, int32_t, int32_t) {
  if (phase == kGrid) {
    grid.MarkHover();
    return 1;
  }
  if (!FadeDone(delta)) return 1;
  if (phase == kFadingIn) {
    SetPhase(kGrid);
  } else if (phase == kStarting) {
    StartScene();
  } else {
    // The switch deletes this mode; the title that follows is no replay.
    CGameSystem& engine = game;
    engine.SetReplay(false);
    engine.SetMode(CGameSystem::kModeTitle);
  }
  return 1;
}

void CFlashbackMode::Activate() {
  const int32_t position = grid.SelectedPosition();
  if (!grid.IsUnlocked(position)) return;
  scene = visible[static_cast<size_t>(position)];
  game.Sound().PlaySystemSound("決定SE");
  game.Sound().StopSound(CSoundSystem::kMusicChannel, 0);
  SetPhase(kStarting);
}

void CFlashbackMode::StartScene() {
  // Starting the game replaces this object, so everything needed afterwards is copied first.
  CGameSystem& engine = game;
  const std::string script = List()[static_cast<size_t>(scene)].scenario;
  engine.SetReplay(true);
  // A scene that cannot be opened (reported) brings the player straight back.
  if (!engine.StartNewGame(script, "")) engine.ReturnToFlashback();
}

void CFlashbackMode::Handle(const CExtrasGrid::SRequest& request) {
  if (request.action == CExtrasGrid::kActivate) Activate();
  if (request.action == CExtrasGrid::kCancel) SetPhase(kLeaving);
  if (request.action == CExtrasGrid::kCategory) SelectCategory(request.category, 0, 0);
}

void CFlashbackMode::OnLButtonDown(uint32_t, int32_t x, int32_t y) {
  if (phase == kGrid) Handle(grid.OnClick(x, y));
}

int CFlashbackMode::OnKeyDown(uint32_t key, uint32_t, uint32_t) {
  if (phase == kGrid) Handle(grid.OnKey(key));
  return 1;
}

int CFlashbackMode::OnCancel() {
  if (phase == kGrid) SetPhase(kLeaving);
  return 1;
}

void CFlashbackMode::Draw(int32_t x, int32_t y) {
  grid.Draw(x, y);
  DrawFades(phase == kStarting || phase == kLeaving);
}
