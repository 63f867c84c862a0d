#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "modes/ExtrasScreen.h"

// The flashback (engine mode 19): the scenes of system\flashback\list.csv in a grid of thumbnails by
// category. Choosing a seen scene fades out and replays its script with the replay flag set; when the
// replay ends, or the player leaves it through the menu, the screen comes back at the same category,
// page and slot. Entering from the title starts at the first slot of category 0.
class CFlashbackMode : public CExtrasScreen {
 public:
  enum EPhase : int32_t { kStarting = 2, kLeaving = 3 };

  // The place of the grid kept between visits.
  struct SPosition {
    int32_t category = 0;
    int32_t page = 0;
    int32_t slot = 0;
    bool operator==(const SPosition&) const = default;
  };

  // Null when the flashback's layout is missing (reported), so the title takes over. fromTitle
  // forgets the remembered position.
  static std::unique_ptr<CScreenMode> Create(CGameSystem& game, bool fromTitle);
  explicit CFlashbackMode(CGameSystem& game);
  ~CFlashbackMode() override;

  int Update(int32_t delta, int32_t x, int32_t y) override;
  int OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  int OnCancel() override;
  void Draw(int32_t x, int32_t y) override;

  static SPosition& Remembered();

 private:
  bool Load();
  void SelectCategory(int32_t category, int32_t page, int32_t slot);
  void Handle(const CExtrasGrid::SRequest& request);
  void Activate();
  // The end of the fade before a scene: the replay starts and this object is gone.
  void StartScene();

  std::vector<int32_t> visible;
  int32_t scene = -1;
};
