#pragma once
#include <cstdint>

#include "ui/Layout.h"
#include "ui/MenuScreen.h"

class CDisplay;
class CMenuLayer;
class CMessagePage;
class CMessageText;
class IBacklogHost;

// The backlog (menu state 7): the pages the message window kept, one a row of "system\log\bg.scn"
// (bg1.scn for the second window style) with the speaker, the text as the window drew it and a voice
// mark; a selected row whose voice can be played again, and a scroll bar with arrow boxes, a thumb
// to drag and page jumps above and below it.
class CBacklogScreen : public IMenuScreen {
 public:
  CBacklogScreen(IBacklogHost& host, CDisplay& display, CMenuLayer& menu, CMessageText& text);

  void Enter() override;
  void Leave() override;
  void Draw(float opacity, bool fullyOpen, int32_t cursorX, int32_t cursorY) override;
  void OnMouseMove(int32_t x, int32_t y) override;
  void OnLButtonDown(int32_t x, int32_t y) override;
  void OnLButtonUp(int32_t x, int32_t y) override;
  void OnMouseWheel(int32_t notches) override;
  void OnKeyDown(uint32_t key, bool firstPress) override;
  void OnConfirm() override;
  bool OnCancel() override;

  int32_t Rows() const { return rows; }
  int32_t First() const { return first; }
  int32_t Selected() const { return selected; }
  bool IsDragging() const { return dragging; }
  const CLayout& Layout() const { return layout; }

 private:
  int32_t Count() const;
  const CMessagePage& PageAt(int32_t index) const;
  // The thumb's top and bottom in the track between the two square arrow boxes.
  void ThumbSpan(int32_t& top, int32_t& bottom) const;
  int32_t TrackLength() const;
  bool HasScrollBar() const;
  void SetFirst(int32_t value);
  void Hover(int32_t x, int32_t y);
  void ClickScrollBar(int32_t x, int32_t y);
  void MoveSelection(int32_t step);
  void Close();
  void Release();
  void DrawRow(int32_t row) const;
  void DrawScrollBar() const;

  IBacklogHost& host;
  CDisplay& display;
  CMenuLayer& menu;
  CMessageText& text;
  CLayout layout;
  int32_t rows = 1;
  int32_t first = 0;
  int32_t selected = -1;
  bool dragging = false;
  int32_t dragFirst = 0;
  int32_t dragY = 0;
};
