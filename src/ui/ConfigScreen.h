#pragma once
#include <cstdint>
#include <string>

#include "ui/ConfigItems.h"
#include "ui/Layout.h"
#include "ui/MenuScreen.h"

class CDisplay;
class CMenuLayer;
class IConfigHost;

// The config screen (menu state 4): pages of option controls, sliders and buttons over the player
// configuration, up to ten layouts "system\config\bg.scn" and "bg%d.scn". Every change is stored at
// once; there is no cancel. The name, voice category and font buttons open the engine's dialogs,
// "初期化" asks before it returns the configuration to the game's defaults.
class CConfigScreen : public IMenuScreen {
 public:
  static constexpr int kPages = 10;

  CConfigScreen(IConfigHost& host, CDisplay& display, CMenuLayer& menu);

  void Enter() override;
  void Leave() override;
  void Update(int32_t ticks) override;
  void Draw(float opacity, bool fullyOpen, int32_t cursorX, int32_t cursorY) override;
  void OnMouseMove(int32_t x, int32_t y) override;
  void OnLButtonDown(int32_t x, int32_t y) override;
  void OnLButtonUp(int32_t x, int32_t y) override;
  void OnKeyDown(uint32_t key, bool firstPress) override;
  void OnConfirm() override;
  void OnPromptYes() override;
  bool OnCancel() override;

  int Page() const { return page; }
  const CLayout& Layout() const { return layout; }
  // The slider item being dragged, -1 when none.
  int DraggedItem() const { return dragged; }
  // The item whose label control is centred on the row of (x, y) and spans x; -1 when none.
  int ItemAt(int32_t x, int32_t y) const;
  static std::string PagePath(int page);

 private:
  void ShowPage(int next);
  void ClickLabel(int32_t x, int32_t y);
  void ActAt(int32_t x, int32_t y);
  void MoveToItem(int direction);
  void MoveCursorTo(int item);
  // Marks every control of the item (and of the other text speed item) for redrawing.
  void MarkItem(int item) const;
  void Release();
  void Reset();
  void EditName();
  void ChooseVoices();
  void ChooseFont();
  void DrawItems() const;

  IConfigHost& host;
  CDisplay& display;
  CMenuLayer& menu;
  CConfigItems items;
  CLayout layout;
  int page = 0;
  int dragged = -1;
};
