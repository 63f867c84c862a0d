#pragma once
#include <cstdint>
#include <string>

#include "gfx/Surface.h"
#include "ui/ChoicePlate.h"
#include "ui/DatePlate.h"
#include "ui/KeyWaitIcon.h"
#include "ui/Layout.h"
#include "ui/OpenLevel.h"

class CAnimation;
class CDisplay;
class CMessageText;
class IMessageHost;

// Draws the message window around the text: the window fading in and out, the face and speaker
// name, the nine window buttons with their hover and toggle looks, the key-wait icon, the text,
// the date plate, the choice plate and the verb plate of click regions with its cursor. Every
// position comes from a named control of the window layouts.
class CMessageWindow {
 public:
  // Button kinds in drawing order; the kind is the action number of the menu layer.
  enum EButton {
    kLog = 0,
    kAuto = 1,
    kSkip = 2,
    kQuickLoad = 3,
    kQuickSave = 4,
    kLoad = 5,
    kSave = 6,
    kConfig = 7,
    kClose = 8
  };
  struct SButton {
    const char* control;
    int kind;
  };
  static constexpr int kButtonCount = 9;
  static const SButton kButtons[kButtonCount];

  CMessageWindow(IMessageHost& host, CMessageText& text, CDisplay& display);

  // Loads date.scn, click.scn and the choice layouts (the window layout belongs to the text).
  void LoadLayouts();
  // The shared picture of the user interface, system\system.png (not owned; may be null).
  void SetSystemImage(const CSurface* image);
  // The keywait.anm animation (not owned; null draws the strip of the system image instead).
  void SetKeyWaitAnimation(CAnimation* animation);
  // The pictures of the key-wait icon, for screens that show one of their own.
  const CSurface* SystemImage() const { return systemImage; }
  CAnimation* KeyWaitAnimation() const { return keyWaitAnimation; }
  // The face beside the text; an empty name removes it. A name that is already shown is kept.
  void SetFace(const std::string& name);
  const std::string& FaceName() const { return faceName; }

  void SetShown(bool value) { shown = value; }
  bool IsShown() const { return shown; }
  // The player hid the window (button "閉じる" or a right click).
  void SetHiddenByPlayer(bool value) { hiddenByPlayer = value; }
  bool IsHiddenByPlayer() const { return hiddenByPlayer; }
  CDatePlate& DatePlate() { return datePlate; }
  CChoicePlate& ChoicePlate() { return choicePlate; }
  const COpenLevel& Level() const { return level; }

  // Moves the window, date plate and choice plate levels by the ticks that passed.
  void UpdateWindowLevels(int32_t ticks);
  // A loaded save: the window and the date plate open or close at once, as they were saved.
  void JumpLevels();
  // Whether a window button may be used now (hover, clicks and keys).
  bool IsButtonAvailable(int kind) const;
  // The kind of the first window button under the point, or -1.
  int ButtonAt(int32_t x, int32_t y) const;
  // Marks for redraw what looks different when the mouse moved from (oldX, oldY) to (x, y): the
  // window buttons under either position, the text area when no menu is open, and in the
  // click-region wait the squares of the verb cursor and the verb plate.
  void MarkHoverDirty(int32_t oldX, int32_t oldY, int32_t x, int32_t y);
  // Marks what the frame's new state shows differently: the key-wait icon (at the frame time in
  // milliseconds) and the verb plate of the click-region wait appearing or going. Called after the
  // update, before the draw pass.
  void MarkFrameChanges(uint32_t milliseconds);
  const CKeyWaitIcon& KeyWait() const { return keyWait; }
  // Draws everything for the mouse at (x, y). Drawing changes no state, so a frame drawn twice is
  // the same frame.
  void Draw(int32_t x, int32_t y);
  // A 32 x 32 cell of the system image centred on the mouse (cell 0 draws nothing).
  void DrawCursor(int cell, int32_t x, int32_t y) const;

 private:
  void DrawFullyOpen(int32_t x, int32_t y);
  void DrawSpeaker();
  void DrawButtons(int32_t x, int32_t y);
  bool IsHidden(int32_t mode) const;
  void DrawClickRegions(int32_t x, int32_t y);
  bool IsWaitMode(int32_t mode) const;

  IMessageHost& host;
  CMessageText& text;
  CDisplay& display;
  CLayout clickLayout;
  CDatePlate datePlate;
  CChoicePlate choicePlate;
  COpenLevel level;
  const CSurface* systemImage = nullptr;
  CKeyWaitIcon keyWait;
  CAnimation* keyWaitAnimation = nullptr;
  CSurface face;
  std::string faceName;
  bool shown = false;
  bool hiddenByPlayer = false;
  bool clickPlateShown = false;
};
