#pragma once
#include <cstdint>
#include <string>

#include "ui/OpenLevel.h"
#include "ui/PromptBox.h"
#include "ui/SystemMenu.h"

class CDisplay;
class CMessageText;
class CMessageWindow;
class IMenuHost;
class IMenuScreen;

// The menu layer over the running game: the menu state, the system menu, the confirmation prompts,
// the menu screens with their fade, the return-to-title and quit fades, and the nine message-window
// buttons with their shortcut keys. While a menu state is set nothing else of the game advances.
class CMenuLayer {
 public:
  enum EState : int32_t {
    kNone = 0,
    kSystemMenu = 1,
    kSaveScreen = 2,
    kLoadScreen = 3,
    kConfigScreen = 4,
    kReturnToTitle = 5,
    kQuit = 6,
    kBacklog = 7,
    kQuickSave = 8,
    kQuickLoad = 9,
    kPreviousChoice = 10
  };

  CMenuLayer(IMenuHost& host, CDisplay& display, CMessageText& text, CMessageWindow& window);

  // The screen shown in a menu state (save, load, config, backlog); null leaves the state an empty
  // black screen. The screen stays owned by the caller.
  void SetScreen(int32_t menuState, IMenuScreen* screen);
  IMenuScreen* Screen(int32_t menuState) const;
  // Loads menu.scn and message.scn; closes every menu at once.
  void Start();
  int32_t State() const { return state; }
  // Leaves the current menu state and enters another.
  void OpenMenu(int32_t next);
  // The fades of one frame; true while a menu state is set (then nothing else advances).
  bool Update(int32_t ticks);
  // A menu screen covers the whole screen: the game underneath is not drawn.
  bool CoversGame() const;
  void Draw(int32_t cursorX, int32_t cursorY);
  // Quit was chosen and its fade has ended: the main window closes without asking.
  bool IsCloseRequested() const { return closeRequested; }

  // The message-window buttons by action number (CMessageWindow::EButton).
  bool IsWindowButtonEnabled(int action) const;
  void DoWindowButton(int action);
  // The action of the first enabled button whose shortcut is that key with that Shift state; -1.
  int ShortcutAction(uint32_t key, bool shift) const;

  // Input while a menu or a prompt is open.
  bool IsPromptShown() const { return prompt.IsShown(); }
  void OnMouseMove(int32_t x, int32_t y);
  void OnLButtonDown(int32_t x, int32_t y);
  void OnLButtonUp(int32_t x, int32_t y);
  // Whole notches, positive away from the player.
  void OnMouseWheel(int32_t notches);
  void OnKeyDown(uint32_t key, bool firstPress);
  // "Decide" on the prompt or the system menu.
  void OnConfirm();
  // "Back": closes the prompt or the menu; in the game opens the system menu (or, in a replay, the
  // return to the flashback screen) or shows the hidden window again.
  void OnCancel();
  // A menu screen asks a question inside its own state; "はい" reaches its OnPromptYes.
  void Ask(const char* question);
  bool IsScreenFullyOpen() const;
  // A choice is about to be taken: the previous-choice snapshot.
  void TakeChoiceSnapshot();

  const CSystemMenu& SystemMenu() const { return systemMenu; }
  const CPromptBox& Prompt() const { return prompt; }
  int32_t SystemMenuLevel() const { return menuLevel.Value(); }
  int32_t ScreenLevel() const { return screenLevel.Value(); }

 private:
  void EnterState();
  void UpdateScreenLevel(int32_t ticks);
  void ActOnSystemMenuItem(int item);
  void AnswerYes();
  // Tells the player when a save or load failed.
  void Report(bool ok, const char* caption, const char* failure);
  void DrawScreen(int32_t cursorX, int32_t cursorY);
  // The screen of the current state when it takes input (no prompt shown), else null.
  IMenuScreen* ActiveScreen() const;
  bool IsSystemMenuFullyOpen() const;

  IMenuHost& host;
  CDisplay& display;
  CMessageText& text;
  CMessageWindow& window;
  CSystemMenu systemMenu;
  CPromptBox prompt;
  COpenLevel menuLevel;
  COpenLevel screenLevel;
  IMenuScreen* screens[kPreviousChoice + 1] = {};
  int32_t state = kNone;
  bool closeRequested = false;
};
