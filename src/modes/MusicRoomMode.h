#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Surface.h"
#include "modes/ExtrasScreen.h"
#include "modes/TrackList.h"

// The music room (engine mode 21): the tracks of system\music\list.csv as a grid of thumbnails, a
// track list with a scroll bar, or both. The player plays, stops and steps through the unlocked
// tracks; the playing track's picture is shown. The room starts silent, and the music it plays goes
// on after it until the title starts its own.
class CMusicRoomMode : public CExtrasScreen {
 public:
  enum EPhase : int32_t { kLeaving = 2 };
  static constexpr const char* kNoData = "-- ＮＯ ＤＡＴＡ --";

  // Null when the room's layout is missing (reported), so the title takes over.
  static std::unique_ptr<CScreenMode> Create(CGameSystem& game);
  explicit CMusicRoomMode(CGameSystem& game);

  int Update(int32_t delta, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  int OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
  int OnCancel() override;
  void Draw(int32_t x, int32_t y) override;

  // The selected entry of the list.
  int32_t Selected() const { return selected; }
  // The entry playing, -1 for none.
  int32_t Playing() const { return playing; }
  const CTrackList& List() const { return list; }
  const CSurface& Picture() const { return picture; }

 private:
  bool Load();
  void Select(int32_t entry);
  void SelectFromGrid();
  bool IsUnlocked(int32_t entry) const;
  void Play();
  void Stop();
  // Previous or next unlocked track from the selected one, wrapping; played when found.
  void Step(int32_t step);
  void MoveSelection(uint32_t key);
  bool OnButton(int32_t x, int32_t y);

  CTrackList list;
  CSurface picture;
  int32_t selected = 0;
  int32_t playing = -1;
};
