#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "modes/AlbumViewer.h"
#include "modes/ExtrasScreen.h"
#include "ui/Layout.h"

// The album (engine mode 18): the seen pictures of system\album\list.csv in a grid of thumbnails by
// category, and a viewer that shows an entry's images one after another, passes through black to
// the neighbouring seen entry and pans over a picture larger than the screen. The viewer's buttons
// (system\album\image.scn) hide while Shift is held, so the picture can be seen whole.
class CAlbumMode : public CExtrasScreen {
 public:
  enum EPhase : int32_t {
    kPicture = 2,
    kNextImage = 3,
    kOtherEntry = 4,
    kPanning = 5,
    kLeaving = 6,
  };

  // Null when the album's layout is missing (reported), so the title takes over.
  static std::unique_ptr<CScreenMode> Create(CGameSystem& game);
  explicit CAlbumMode(CGameSystem& game);

  int Update(int32_t delta, int32_t x, int32_t y) override;
  void Draw(int32_t x, int32_t y) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  int OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
  int OnCancel() override;

  int32_t Opacity() const { return opacity; }
  // The list index of the entry in the viewer, and its image number.
  int32_t Entry() const { return entry; }
  int32_t ImageNumber() const { return imageNumber; }
  bool ButtonsShown() const { return buttonsShown; }
  const CAlbumViewer& Viewer() const { return viewer; }

 private:
  bool Load();
  void SelectCategory(int32_t category);
  void UpdateViewer(int32_t delta);
  void Activate();
  void ShowImage(int32_t listIndex, int32_t number, int32_t nextPhase);
  // Enter, Space or a click on the picture: the entry's next image, or the pan.
  void Advance();
  // The seen visible entry step places away from the viewed one, wrapping.
  void StepEntry(int32_t step);
  void BackToGrid();
  bool IsOnButton(const char* name, int32_t x, int32_t y) const;
  void DrawPicture(int32_t x, int32_t y) const;
  int32_t VeilAlpha() const;

  void Handle(const CExtrasGrid::SRequest& request);

  CLayout buttons;
  CAlbumViewer viewer;
  std::vector<int32_t> visible;
  int32_t opacity = 0;
  int32_t entry = -1;
  int32_t imageNumber = 0;
  bool buttonsShown = true;
};
