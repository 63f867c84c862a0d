#include "modes/MusicRoomMode.h"

#include <algorithm>

#include "app/GameSystem.h"
#include "audio/SoundSystem.h"
#include "persist/Settings.h"
#include "platform/Input.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "ui/FontSet.h"
#include "ui/MessageText.h"

namespace {

const std::vector<SMusicEntry>& Tracks() { return settings::Extras().Music(); }

int32_t TrackCount() { return static_cast<int32_t>(Tracks().size()); }

const std::vector<std::string> kButtons = {"再生", "停止", "前の曲", "次の曲"};

}  // namespace

std::unique_ptr<CScreenMode> CMusicRoomMode::Create(CGameSystem& game) {
  auto room = std::make_unique<CMusicRoomMode>(game);
  if (!room->Load()) return nullptr;
  return room;
}

CMusicRoomMode::CMusicRoomMode(CGameSystem& g) : CExtrasScreen(g) {}

bool CMusicRoomMode::Load() {
  if (!LoadGrid("music", "mu_blank.bmp", 0)) return false;
  std::vector<SGridEntry> entries;
  for (const SMusicEntry& track : Tracks()) entries.push_back({track.thumbnail, track.unlocked});
  grid.SetEntries(std::move(entries), 0, 0);
  const int32_t rowHeight = game.Text().Fonts().Font(CFontSet::kNormal).Size();
  list.Setup(grid.Layout().GetControlRect("ファイル"), rowHeight, TrackCount());
  return true;
}

int CMusicRoomMode::Update(int32_t delta, int32_t, int32_t) {
  if (phase == kGrid) {
    grid.MarkHover(kButtons);
    return 1;
  }
  if (!FadeDone(delta)) return 1;
  if (phase == kFadingIn) {
    SetPhase(kGrid);
  } else {
    // The switch deletes this mode; the music plays on into the title.
    game.SetMode(CGameSystem::kModeTitle);
  }
  return 1;
}

bool CMusicRoomMode::IsUnlocked(int32_t entry) const {
  return entry >= 0 && entry < TrackCount() && Tracks()[static_cast<size_t>(entry)].unlocked;
}

void CMusicRoomMode::Select(int32_t entry) {
  if (entry != selected) game.Display().MarkAllDirty();
  selected = entry;
  list.Reveal(entry);
  const int32_t slots = grid.Slots();
  if (slots <= 0) return;
  grid.ShowPage(entry / slots);
  grid.Select(entry % slots);
}

void CMusicRoomMode::SelectFromGrid() {
  if (grid.Slots() > 0) Select(grid.Page() * grid.Slots() + grid.Slot());
}

void CMusicRoomMode::Play() {
  if (phase != kGrid || !IsUnlocked(selected)) return;
  const SMusicEntry& track = Tracks()[static_cast<size_t>(selected)];
  game.Sound().PlaySound(track.file, CSoundSystem::kMusicChannel, true, false, 0);
  playing = selected;
  // A picture that cannot be loaded shows nothing.
  if (!picture.Load(track.image.empty() ? track.thumbnail : track.image)) picture.Clear();
  game.Display().MarkAllDirty();
}

void CMusicRoomMode::Stop() {
  game.Sound().StopSound(CSoundSystem::kMusicChannel, 0);
  playing = -1;
  picture.Clear();
  game.Display().MarkAllDirty();
}

void CMusicRoomMode::Step(int32_t step) {
  const int32_t count = TrackCount();
  if (count == 0) return;
  const int32_t from = std::clamp(selected, 0, count - 1);
  for (int32_t i = 1; i < count; ++i) {
    const int32_t entry = ((from + step * i) % count + count) % count;
    if (!IsUnlocked(entry)) continue;
    Select(entry);
    Play();
    return;
  }
}

void CMusicRoomMode::MoveSelection(uint32_t key) {
  if (grid.Slots() > 0) {
    grid.OnKey(key);
    SelectFromGrid();
    return;
  }
  const bool back = key == vk::kUp || key == vk::kLeft;
  Select(std::clamp(selected + (back ? -1 : 1), 0, std::max(TrackCount() - 1, 0)));
}

void CMusicRoomMode::OnMouseMove(uint32_t, int32_t x, int32_t y) {
  if (phase != kGrid) return;
  if (list.IsDragging()) {
    if (list.Drag(y)) game.Display().MarkAllDirty();
    return;
  }
  const int32_t entry = list.EntryAt(x, y);
  if (entry >= 0) Select(entry);
  const int32_t slot = grid.Slot();
  grid.OnMouseMove(x, y);
  if (grid.Slot() != slot) SelectFromGrid();
}

bool CMusicRoomMode::OnButton(int32_t x, int32_t y) {
  const auto hit = [&](const std::string& name) { return grid.Layout().GetControlRect(name).Contains(x, y); };
  if (hit("再生"))
    Play();
  else if (hit("停止"))
    Stop();
  else if (hit("前の曲"))
    Step(-1);
  else if (hit("次の曲"))
    Step(1);
  else
    return false;
  return true;
}

void CMusicRoomMode::OnLButtonDown(uint32_t, int32_t x, int32_t y) {
  if (phase != kGrid) return;
  const int32_t page = grid.Page();
  const CExtrasGrid::SRequest request = grid.OnClick(x, y);
  if (request.action == CExtrasGrid::kCancel) return SetPhase(kLeaving);
  if (request.action == CExtrasGrid::kActivate) return Play();
  if (grid.Page() != page) SelectFromGrid();
  if (request.action == CExtrasGrid::kPageChanged || OnButton(x, y)) return;
  const int32_t first = list.First();
  if (list.PressScrollBar(x, y)) {
    if (list.IsDragging()) game.Platform().Input().SetCapture(true);
    if (list.First() != first) game.Display().MarkAllDirty();
    return;
  }
  if (list.RowRect(selected).Contains(x, y)) Play();
}

void CMusicRoomMode::OnLButtonUp(uint32_t, int32_t, int32_t) {
  if (!list.IsDragging()) return;
  list.EndDrag();
  game.Platform().Input().SetCapture(false);
}

int CMusicRoomMode::OnKeyDown(uint32_t key, uint32_t, uint32_t) {
  if (phase != kGrid) return 1;
  switch (key) {
    case vk::kUp:
    case vk::kDown:
    case vk::kLeft:
    case vk::kRight:
      MoveSelection(key);
      break;
    case vk::kReturn:
    case vk::kSpace:
      Play();
      break;
    case vk::kEscape:
      SetPhase(kLeaving);
      break;
    default:
      break;
  }
  return 1;
}

int CMusicRoomMode::OnCancel() {
  if (phase == kGrid) SetPhase(kLeaving);
  return 1;
}

void CMusicRoomMode::Draw(int32_t x, int32_t y) {
  CDisplay& display = game.Display();
  grid.Draw(x, y);
  std::vector<std::string> texts;
  for (const SMusicEntry& track : Tracks()) texts.push_back(track.unlocked ? track.title : kNoData);
  list.Draw(display, game.Text().Fonts().Font(CFontSet::kNormal), texts, selected);
  for (const std::string& name : kButtons) grid.DrawHover(name, x, y);
  CExtrasGrid::DrawInto(picture, display, grid.Layout().GetControlRect("画像"));
  DrawFades(phase == kLeaving);
}
