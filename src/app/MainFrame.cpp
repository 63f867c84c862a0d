#include "app/MainFrame.h"

#include "persist/Settings.h"
#include "platform/Platform.h"

CMainFrame::ECreateResult CMainFrame::Create(bool singleInstance) {
  if (singleInstance && !platform.AcquireSingleInstance(kWindowClass, settings::GetTitle()))
    return ECreateResult::kAnotherInstance;
  // The title is set by the engine at start-up; the window opens untitled, as the frame is created.
  const bool created = platform.Window().Create("", settings::ScreenWidth(), settings::ScreenHeight(),
                                                settings::IsFullScreen());
  return created ? ECreateResult::kCreated : ECreateResult::kFailed;
}

void CMainFrame::Close() {
  if (closed) return;
  closed = true;
  platform.Window().Destroy();
}

bool CMainFrame::Dispatch(const SPlatformEvent& e) {
  if (closed) return false;
  const int32_t x = e.x, y = e.y;
  switch (e.type) {
    case EEventType::kClose:
      if (game.IsStarted() ? game.QueryQuit() : true) Close();
      break;
    case EEventType::kTerminate:
      if (game.IsStarted()) game.QueryQuit(false);
      Close();
      break;
    case EEventType::kLButtonDown:
    case EEventType::kLButtonDblClk:
      game.OnLButtonDown(e.mouseFlags, x, y);
      break;
    case EEventType::kLButtonUp:
      game.OnLButtonUp(e.mouseFlags, x, y);
      break;
    case EEventType::kMouseMove:
      game.OnMouseMove(e.mouseFlags, x, y);
      break;
    case EEventType::kRButtonDown:
      game.OnRButtonDown(e.mouseFlags, x, y);
      break;
    case EEventType::kMouseWheel:
      game.OnMouseWheel(e.mouseFlags, e.wheelDelta, x, y);
      break;
    case EEventType::kKeyDown:
      if (!playerKeys.OnKeyDown(e.key, e.keyFlags)) game.OnKeyDown(e.key, 1, e.keyFlags);
      break;
    case EEventType::kKeyUp:
      break;
    case EEventType::kTextInput:
      game.OnTextInput(e.text);
      break;
    case EEventType::kTextEditing:
      game.OnTextEditing(e.text, e.editCursor);
      break;
    case EEventType::kPaint: {
      SPoint p = platform.Input().GetCursorPos();
      game.Redraw(p.x, p.y);
      break;
    }
    case EEventType::kMinimized:
      game.SetVisible(false);
      break;
    case EEventType::kRestored:
      game.SetVisible(game.IsStarted());
      break;
    case EEventType::kFocusGained:
      game.SetInactive(false);
      break;
    case EEventType::kFocusLost:
      game.SetInactive(true);
      break;
    case EEventType::kToggleScreenMode:
      game.ToggleScreenMode();
      break;
  }
  return !closed;
}
