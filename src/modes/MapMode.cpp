#include "modes/MapMode.h"

#include <algorithm>
#include <utility>

#include "app/GameSystem.h"
#include "app/PictureHostAdapter.h"
#include "audio/SoundSystem.h"
#include "gfx/Animation.h"
#include "io/Path.h"
#include "io/Trace.h"
#include "modes/BlackFade.h"
#include "persist/MapTable.h"
#include "persist/Settings.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptRunner.h"
#include "ui/DatePlate.h"
#include "ui/MenuLayer.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

namespace {

const std::string kBackPrefix = "背景:";
const std::string kNamePrefix = "地名:";
constexpr const char* kQuickSave = "クイックセーブ";
constexpr const char* kQuickLoad = "クイックロード";
constexpr const char* kMessageBox = "メッセージ";
constexpr const char* kMessageText = "テキスト";

}  // namespace

CMapMode::CMapMode(CGameSystem& g, std::string schedule, const std::string& layoutFile, std::string music)
    : CScreenMode(g),
      schedulePath(std::move(schedule)),
      musicPath(std::move(music)),
      fadeTime(std::max(1, settings::FadeTime())) {
  if (!layoutFile.empty()) layout.Load(game.Display(), layoutFile);
  places.resize(static_cast<size_t>(layout.ControlCount()));
  cursor.SetPictures(game.Window().KeyWaitAnimation(), game.Window().SystemImage());
  BuildEvents(layoutFile);
  // A map where nothing can be chosen would hold the player for good: the loop ends instead.
  if (phase == kFadingIn && !HasActivePlace()) {
    leaveLoop = true;
    SetPhase(kEnded);
  }
  if (phase == kFadingIn && !musicPath.empty())
    game.Sound().PlaySound(musicPath, CSoundSystem::kMusicChannel, true, false, 0);
  if (phase == kFadingIn) TraceVisit(layoutFile);
  game.Display().MarkAllDirty();
}

void CMapMode::TraceVisit(const std::string& layoutFile) const {
  std::string active;
  for (size_t i = 0; i < places.size(); ++i) {
    if (places[i].event.script.empty()) continue;
    if (!active.empty()) active += ",";
    active += layout.Control(static_cast<int>(i)).name;
  }
  const CGameClock& clock = game.GameClock();
  const std::string date = std::to_string(clock.year) + "/" + std::to_string(clock.month) + "/" +
                           std::to_string(clock.day) + " " + std::to_string(clock.hour) + ":" +
                           (clock.minute < 10 ? "0" : "") + std::to_string(clock.minute);
  CTrace::Event("map", {{"layout", layoutFile}, {"places", active}, {"date", date}});
}

CMapMode::~CMapMode() = default;

std::unique_ptr<CMapMode> CMapMode::Enter(CGameSystem& game) {
  const int32_t map = game.Variables().GetVariable("MAP");
  const int32_t minutes = game.GameClock().DayMinutes();
  const std::string layoutFile = LayoutPath(settings::MapTable(), map, minutes);
  if (layoutFile.empty())
    ShowError("マップ %d の時間帯 %d に画面がありません", map,
              TimeSlot(settings::MapTable().TimeSlots(), minutes));
  return std::make_unique<CMapMode>(game, game.Script().GetScriptName(), layoutFile, game.MapMusic());
}

int32_t CMapMode::TimeSlot(const std::vector<int>& starts, int32_t dayMinutes) {
  const size_t count = starts.size();
  size_t slot = 1;
  while (slot < count && dayMinutes >= starts[slot]) ++slot;
  return static_cast<int32_t>(slot);
}

std::string CMapMode::LayoutPath(const CMapTable& table, int32_t map, int32_t dayMinutes) {
  return table.Layout(map, TimeSlot(table.TimeSlots(), dayMinutes) - 1);
}

void CMapMode::BuildEvents(const std::string& layoutFile) {
  CScheduleTable table;
  if (!table.Load(ResolvePath(schedulePath))) ShowFileError(schedulePath);
  scheduleKey = table.File();
  const CGameClock& clock = game.GameClock();
  const SScheduleMoment now{clock.year, clock.month, clock.day, clock.hour, clock.minute};
  const CScheduleTable::FindPlace findPlace = [this](const std::string& name) {
    for (int32_t i = layout.ControlCount() - 1; i >= 0; --i)
      if (layout.Control(i).name == name) return i;
    return -1;
  };
  const CScheduleTable::Condition condition = [this](const std::string& expression) {
    return game.Script().Evaluate(expression, 1);
  };
  CScheduleTable::SPlacement placement =
      CScheduleTable::Place(table.Events(now, findPlace, condition, game.DoneMarks()), places.size());
  for (size_t i = 0; i < places.size(); ++i) {
    places[i].event = std::move(placement.slots[i]);
    if (!places[i].event.script.empty() && !places[i].event.person.empty())
      PlacePerson(places[i], static_cast<int32_t>(i), layoutFile);
  }
  if (placement.immediateRow >= 0) StartImmediate(placement.immediateRow, placement.immediateScript);
}

void CMapMode::StartImmediate(int32_t row, const std::string& script) {
  // A script that cannot be opened is reported; the map stays with what it has.
  if (!game.Script().OpenScript(ResolveBeside(schedulePath, script), 0, true)) return;
  game.DoneMarks().Set(scheduleKey, row);
  SetPhase(kEnded);
}

void CMapMode::PlacePerson(SPlace& place, int32_t control, const std::string& layoutFile) {
  auto person = std::make_unique<CAnimation>(game.PictureHost(), -1, 0);
  person->Create(ResolveBeside(layoutFile, place.event.person + ".anm"), "", 1.0f);
  // A missing animation leaves the place without anyone on it; the place stays active.
  if (person->Width() <= 0 || person->Height() <= 0) return;
  const SRect& rect = layout.Control(control).rect;
  person->SetPlacement((rect.left + rect.right - person->Width()) / 2, rect.bottom - person->Height(), 1.0f,
                       false, false);
  place.person = std::move(person);
}

bool CMapMode::HasActivePlace() const {
  return std::any_of(places.begin(), places.end(),
                     [](const SPlace& place) { return !place.event.script.empty(); });
}

void CMapMode::SetPhase(int32_t next) {
  if (next == kFadingOut && !musicPath.empty()) game.Sound().StopSound(CSoundSystem::kMusicChannel, 0);
  phase = next;
  counter = 0;
}

void CMapMode::MarkControl(const std::string& name) const {
  for (int32_t i = 0; i < layout.ControlCount(); ++i)
    if (layout.Control(i).name == name) game.Display().MarkDirty(layout.Control(i).rect);
}

void CMapMode::MarkHover(int32_t control) const {
  if (control < 0) return;
  const std::string& name = layout.Control(control).name;
  MarkControl(name);
  MarkControl(kBackPrefix + name);
  MarkControl(kNamePrefix + name);
}

void CMapMode::MarkMessage() const {
  MarkControl(kMessageBox);
  MarkControl(kMessageText);
}

void CMapMode::UpdateHover(int32_t x, int32_t y) {
  int32_t next = -1;
  for (int32_t i = layout.ControlCount() - 1; i >= 0 && next < 0; --i)
    if (layout.Control(i).rect.Contains(x, y)) next = i;
  if (next >= 0 && places[static_cast<size_t>(next)].event.script.empty()) next = -1;
  MarkHover(hovered);
  MarkHover(next);
  MarkMessage();
  hovered = next;
}

void CMapMode::UpdateCursor() {
  const bool text = layout.FindControl("カーソル") >= 0;
  const SRect corner = layout.GetControlRect(text ? "カーソル" : kMessageText);
  cursor.Update(game.Display(), message.IsShown() && message.IsComplete(), {corner.right, corner.bottom},
                game.Clock().LastTick());
}

bool CMapMode::FadeStep(int32_t delta) {
  game.Display().MarkAllDirty();
  counter = std::min(counter + std::max(delta, 0), fadeTime);
  return counter == fadeTime;
}

int CMapMode::Update(int32_t delta, int32_t x, int32_t y) {
  if (phase == kEnded) {
    // Back to the script that opened the map, right after its MAP command.
    if (leaveLoop) game.Script().ReturnFromScript();
    return 0;
  }
  for (SPlace& place : places)
    if (place.person) place.person->Update(delta);
  MarkControl(kQuickSave);
  MarkControl(kQuickLoad);
  if (message.IsShown()) {
    MarkControl(kMessageText);
    message.Advance(delta);
    UpdateCursor();
    return 1;
  }
  UpdateCursor();
  switch (phase) {
    case kFadingIn:
      if (FadeStep(delta)) SetPhase(kChoosing);
      return 1;
    case kChoosing:
      UpdateHover(x, y);
      return 1;
    case kChosen:
      SetPhase(kFadingOut);
      return 1;
    default:
      return FadeStep(delta) ? TakePlace() : 1;
  }
}

int CMapMode::TakePlace() {
  const CScheduleTable::SPlaceSlot& event = places[static_cast<size_t>(hovered)].event;
  game.SaveGame(-2);
  const int32_t row = event.row;
  if (!game.Script().OpenScript(ResolveBeside(schedulePath, event.script), 0, true)) {
    // The event's script is missing (reported): the map comes back instead of a dead end.
    if (!musicPath.empty()) game.Sound().PlaySound(musicPath, CSoundSystem::kMusicChannel, true, false, 0);
    SetPhase(kFadingIn);
    return 1;
  }
  game.DoneMarks().Set(scheduleKey, row);
  return 0;
}

void CMapMode::SetMessage(std::string text) {
  message.Set(std::move(text));
  MarkMessage();
}

void CMapMode::Choose() {
  SetMessage(places[static_cast<size_t>(hovered)].event.afterMessage);
  game.Sound().PlaySystemSound("決定SE");
  SetPhase(kChosen);
}

bool CMapMode::InControl(const char* name, int32_t x, int32_t y) const {
  return layout.FindControl(name) >= 0 && layout.GetControlRect(name).Contains(x, y);
}

void CMapMode::OnLButtonDown(uint32_t, int32_t x, int32_t y) {
  if (InControl(kQuickSave, x, y)) return game.Menu().DoWindowButton(CMessageWindow::kQuickSave);
  if (InControl(kQuickLoad, x, y)) return game.Menu().DoWindowButton(CMessageWindow::kQuickLoad);
  if (message.IsShown()) {
    message.Confirm();
    MarkMessage();
    return;
  }
  if (phase != kChoosing) return;
  // The place under the click counts, whether or not a frame has passed since the cursor moved.
  UpdateHover(x, y);
  if (hovered >= 0) Choose();
}

int CMapMode::OnKeyDown(uint32_t key, uint32_t, uint32_t flags) {
  const bool decide = (key == vk::kReturn || key == vk::kSpace) && (flags & vk::kFlagRepeat) == 0;
  if (!decide) return 0;
  if (message.IsShown()) {
    message.Confirm();
    MarkMessage();
    return 1;
  }
  // The keys that move the cursor over the map take the place under it too.
  if (phase != kChoosing || hovered < 0) return 0;
  Choose();
  return 1;
}

int CMapMode::OnCancel() {
  if (!message.IsShown() || phase != kChosen) return 0;
  SetMessage(std::string());
  SetPhase(kChoosing);
  return 1;
}

void CMapMode::Draw(int32_t x, int32_t y) {
  if (phase == kEnded) return;
  layout.Draw("");
  const bool hover = hovered >= 0 && game.MenuState() == CMenuLayer::kNone;
  const std::string name = hover ? layout.Control(hovered).name : std::string();
  if (hover) {
    layout.Draw(kBackPrefix + name);
    layout.Draw(name);
  }
  for (const SPlace& place : places)
    if (place.person) place.person->Draw(0, 0, 0xFFFFFFFF, 0, 0, 1);
  if (hover) layout.Draw(kNamePrefix + name);
  // There are never more marks than controls, whatever the variable holds.
  const int32_t marks = std::min(game.Variables().GetVariable("AP"), layout.ControlCount());
  for (int32_t i = 1; i <= marks; ++i) layout.Draw("AP" + std::to_string(i));
  CDatePlate::DrawDigits(layout, game.GameClock(), 1.0f);
  DrawMessage();
  for (const char* button : {kQuickSave, kQuickLoad})
    if (InControl(button, x, y)) layout.Draw(button);
  if (phase == kFadingIn) blackfade::Fill(game.Display(), blackfade::Alpha(fadeTime - counter, fadeTime));
  if (phase == kFadingOut) blackfade::Fill(game.Display(), blackfade::Alpha(counter, fadeTime));
}

void CMapMode::DrawMessage() const {
  CTextFont& font = game.Text().Fonts().Font(CFontSet::kNormal);
  const SRect area = layout.GetControlRect(kMessageText);
  if (message.IsShown()) {
    layout.Draw(kMessageBox);
    cursor.Draw(game.Display());
    CMapMessage::Draw(font, area, message.Text(), message.Clock(), settings::FontColor());
  } else if (phase == kChoosing) {
    layout.Draw(kMessageBox);
    if (hovered < 0) return;
    const std::string& text = places[static_cast<size_t>(hovered)].event.message;
    CMapMessage::Draw(font, area, text, static_cast<int32_t>(text.size()), settings::FontColor());
  }
}
