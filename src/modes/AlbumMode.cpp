#include "modes/AlbumMode.h"

#include <algorithm>
#include <cstdlib>

#include "app/GameSystem.h"
#include "audio/SoundSystem.h"
#include "modes/BlackFade.h"
#include "persist/Settings.h"
#include "platform/Input.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

namespace {

const std::vector<SAlbumEntry>& List() { return settings::Extras().Album(); }

}  // namespace

std::unique_ptr<CScreenMode> CAlbumMode::Create(CGameSystem& game) {
  auto album = std::make_unique<CAlbumMode>(game);
  if (!album->Load()) return nullptr;
  return album;
}

CAlbumMode::CAlbumMode(CGameSystem& g) : CExtrasScreen(g), viewer(g) {}

bool CAlbumMode::Load() {
  if (!LoadGrid("album", "al_blank.bmp", 1)) return false;
  // Without its buttons the viewer still shows the pictures.
  buttons.Load(game.Display(), "system\\album\\image.scn");
  game.Sound().PlayMusicByKey("アルバムBGM");
  SelectCategory(0);
  return true;
}

void CAlbumMode::SelectCategory(int32_t category) {
  visible = EntriesOfCategory(List(), category);
  grid.SetCategory(category);
  grid.SetEntries(SeenEntries(List(), visible), 0, 0);
}

int CAlbumMode::Update(int32_t delta, int32_t, int32_t) {
  CDisplay& display = game.Display();
  const bool shown = !game.Platform().Input().IsKeyDown(vk::kShift);
  if (shown != buttonsShown) display.MarkAllDirty();
  buttonsShown = shown;
  UpdateViewer(delta);
  switch (phase) {
    case kFadingIn:
      if (FadeDone(delta)) SetPhase(kGrid);
      break;
    case kLeaving:
      // The switch deletes this mode.
      if (FadeDone(delta)) game.SetMode(CGameSystem::kModeTitle);
      break;
    case kGrid:
      grid.MarkHover();
      break;
    case kPicture:
      if (buttonsShown)
        for (const char* name : {"戻る", "前", "次"}) display.MarkDirty(buttons.GetControlRect(name));
      break;
    case kNextImage:
    case kOtherEntry:
      display.MarkAllDirty();
      counter = std::min(counter + delta, fadeTime);
      if (counter == fadeTime) SetPhase(kPicture);
      break;
    case kPanning: {
      display.MarkAllDirty();
      const int32_t extent = viewer.PanExtent();
      counter = std::min(counter + CAlbumViewer::kPanSpeed * delta, extent);
      viewer.PanTo(counter);
      if (counter == extent) {
        viewer.ReversePan();
        SetPhase(kPicture);
      }
      break;
    }
    default:
      break;
  }
  return 1;
}

void CAlbumMode::UpdateViewer(int32_t delta) {
  const bool viewing = phase >= kPicture && phase <= kPanning;
  const int32_t before = opacity;
  opacity = std::clamp(opacity + (viewing ? delta : -delta), 0, fadeTime);
  if (opacity != before || (opacity > 0 && viewer.IsAnimated())) game.Display().MarkAllDirty();
  if (opacity > 0) viewer.Update(delta);
  if (opacity == 0 && !viewing) viewer.Clear();
}

void CAlbumMode::Activate() {
  const int32_t position = grid.SelectedPosition();
  if (!grid.IsUnlocked(position)) return;
  const int32_t index = visible[static_cast<size_t>(position)];
  if (List()[static_cast<size_t>(index)].images.empty()) return;
  ShowImage(index, 0, kPicture);
}

void CAlbumMode::ShowImage(int32_t listIndex, int32_t number, int32_t nextPhase) {
  entry = listIndex;
  imageNumber = number;
  viewer.Show(List()[static_cast<size_t>(listIndex)].images[static_cast<size_t>(number)]);
  SetPhase(nextPhase);
}

void CAlbumMode::Advance() {
  const std::vector<std::string>& images = List()[static_cast<size_t>(entry)].images;
  if (images.size() >= 2)
    ShowImage(entry, (imageNumber + 1) % static_cast<int32_t>(images.size()), kNextImage);
  else if (viewer.PanExtent() > 0)
    SetPhase(kPanning);
}

void CAlbumMode::StepEntry(int32_t step) {
  const auto at = std::find(visible.begin(), visible.end(), entry);
  if (at == visible.end()) return;
  const int32_t count = static_cast<int32_t>(visible.size());
  const int32_t from = static_cast<int32_t>(at - visible.begin());
  for (int32_t i = 1; i < count; ++i) {
    const int32_t index = visible[static_cast<size_t>(((from + step * i) % count + count) % count)];
    const SAlbumEntry& candidate = List()[static_cast<size_t>(index)];
    if (!candidate.seen || candidate.images.empty()) continue;
    ShowImage(index, 0, kOtherEntry);
    return;
  }
}

void CAlbumMode::BackToGrid() {
  const auto at = std::find(visible.begin(), visible.end(), entry);
  if (at != visible.end() && grid.Slots() > 0) {
    const int32_t position = static_cast<int32_t>(at - visible.begin());
    grid.ShowPage(position / grid.Slots());
    grid.Select(position % grid.Slots());
  }
  SetPhase(kGrid);
}

bool CAlbumMode::IsOnButton(const char* name, int32_t x, int32_t y) const {
  return buttonsShown && buttons.GetControlRect(name).Contains(x, y);
}

void CAlbumMode::Handle(const CExtrasGrid::SRequest& request) {
  if (request.action == CExtrasGrid::kActivate) Activate();
  if (request.action == CExtrasGrid::kCancel) SetPhase(kLeaving);
  if (request.action == CExtrasGrid::kCategory) SelectCategory(request.category);
}

void CAlbumMode::OnLButtonDown(uint32_t, int32_t x, int32_t y) {
  if (phase == kGrid) return Handle(grid.OnClick(x, y));
  if (phase != kPicture) return;
  if (IsOnButton("戻る", x, y))
    BackToGrid();
  else if (IsOnButton("前", x, y))
    StepEntry(-1);
  else if (IsOnButton("次", x, y))
    StepEntry(1);
  else
    Advance();
}

int CAlbumMode::OnKeyDown(uint32_t key, uint32_t, uint32_t) {
  if (phase == kGrid) {
    Handle(grid.OnKey(key));
  } else if (phase == kPicture) {
    if (key == vk::kReturn || key == vk::kSpace) Advance();
    if (key == vk::kLeft || key == vk::kRight) StepEntry(key == vk::kLeft ? -1 : 1);
    if (key == vk::kEscape) BackToGrid();
  }
  return 1;
}

int CAlbumMode::OnCancel() {
  if (phase == kGrid) SetPhase(kLeaving);
  if (phase == kPicture) BackToGrid();
  return 1;
}

int32_t CAlbumMode::VeilAlpha() const {
  // Between the grid and the picture the screen passes through black.
  const int32_t half = std::max(fadeTime / 2, 1);
  int32_t alpha = std::max(255 - std::abs(opacity - fadeTime / 2) * 255 / half, 0);
  if (phase == kFadingIn) alpha = std::max(alpha, blackfade::Alpha(fadeTime - counter, fadeTime));
  if (phase == kLeaving) alpha = std::max(alpha, blackfade::Alpha(counter, fadeTime));
  return alpha;
}

void CAlbumMode::Draw(int32_t x, int32_t y) {
  if (opacity * 2 < fadeTime)
    grid.Draw(x, y);
  else
    DrawPicture(x, y);
  blackfade::Fill(game.Display(), VeilAlpha());
}

void CAlbumMode::DrawPicture(int32_t x, int32_t y) const {
  blackfade::Fill(game.Display(), 255);
  const int32_t half = std::max(fadeTime / 2, 1);
  if (phase == kNextImage) {
    viewer.DrawPrevious(255);
    viewer.DrawCurrent(static_cast<uint32_t>(blackfade::Alpha(counter, fadeTime)));
  } else if (phase == kOtherEntry) {
    if (counter < fadeTime / 2)
      viewer.DrawPrevious(255);
    else
      viewer.DrawCurrent(255);
    blackfade::Fill(game.Display(), std::max(255 - std::abs(counter - fadeTime / 2) * 255 / half, 0));
  } else {
    viewer.DrawCurrent(255);
  }
  if (!buttonsShown) return;
  buttons.Draw("");
  for (const char* name : {"戻る", "前", "次"})
    if (IsOnButton(name, x, y)) buttons.Draw(name);
}
