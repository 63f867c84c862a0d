#include "app/GameSystem.h"

#include <algorithm>

#include "io/PackArchive.h"
#include "io/Trace.h"
#include "persist/Settings.h"
#include "platform/Platform.h"

CGameSystem::CGameSystem(IPlatform& p) : platform(p) {}

CGameSystem::~CGameSystem() = default;

bool CGameSystem::Startup() {
  started = true;
  CPackArchive::Instance().LogArchives();
  platform.Window().SetTitle(settings::GetTitle());
  displayReady = display.Init(&platform.Window(), settings::ScreenWidth(), settings::ScreenHeight(),
                              !settings::IsFullScreen());
  if (!displayReady) return false;
  visible = false;
  inactive = false;
  replay = false;
  openingRunning = false;
  SetMenuState(0);
  OpenOpeningScript();
  visible = true;
  DiscardElapsedTime();
  return true;
}

void CGameSystem::OpenOpeningScript() {
  const std::string opening = settings::GetSetting("オープニングスクリプト", "");
  if (opening.empty())
    SetMode(kModeLogo);
  else
    openingRunning = true;
  DiscardElapsedTime();
}

void CGameSystem::StartNewGame(const std::string& /*script*/, const std::string& /*label*/) {
  ResetGame();
  DiscardElapsedTime();
}

void CGameSystem::ResetGame() {
  SetMode(kModeScript);
  clock.Reset(platform.Clock().GetTickCount());
  waitElapsed = 0;
  waitLength = 0;
  openingRunning = false;
  month = 1;
  day = 1;
}

void CGameSystem::Shutdown() {
  SetMenuState(0);
  screenMode.reset();
  display.Shutdown();
  displayReady = false;
  visible = false;
  CTrace::Event("quit");
}

bool CGameSystem::QueryQuit() {
  if (menuState != 6) {
    EAnswer answer = platform.Dialogs().MessageBox("終了", "終了しますか？", true);
    if (answer != EAnswer::kYes) return false;
  }
  ResetGame();
  Shutdown();
  return true;
}

void CGameSystem::SetMenuState(int32_t state) {
  if (state == menuState) return;
  CTrace::Event("menu", {{"from", menuState}, {"to", state}});
  menuState = state;
}

void CGameSystem::LeaveMode(int32_t oldMode, int32_t newMode) {
  (void)oldMode;
  (void)newMode;
}

void CGameSystem::EnterMode(int32_t newMode) {
  if (newMode == kModeChoice || newMode == kModeClickRegions) choiceTaken = -1;
}

void CGameSystem::SetMode(int32_t newMode) {
  const int32_t oldMode = mode;
  LeaveMode(oldMode, newMode);
  screenMode.reset();
  waitElapsed = 0;
  mode = newMode;
  if (oldMode != newMode) CTrace::Event("mode", {{"from", oldMode}, {"to", newMode}});
  EnterMode(newMode);
  switch (newMode) {
    case kModeEffectIn: case kModeEffectOut: case kModeTransition: case kModeWait: break;  // set by caller
    case kModeWindow: waitLength = std::max(1, std::atoi(settings::GetSetting("ウィンドウ開閉時間", "10").c_str())); break;
    case kModeSoundWait: waitLength = kWaitForever; break;
    default: waitLength = 0; break;
  }
}

int32_t CGameSystem::DiscardElapsedTime() {
  clock.SetTimeDiscarded(true);
  return clock.Discard(platform.Clock().GetTickCount());
}

void CGameSystem::SetInactive(bool flag) {
  inactive = flag;
  if (mode == kModeMovie) {
    inactive = false;
    if (!display.IsWindowed()) ToggleScreenMode();
  }
  if (displayReady) display.MarkAllDirty();
}

void CGameSystem::ToggleScreenMode() {
  if (mode == kModeMovie || !displayReady) return;
  display.ToggleScreenMode();
  settings::SetFullScreen(!display.IsWindowed());
}

int32_t CGameSystem::Tick(int32_t x, int32_t y) {
  if (inactive || !visible || !displayReady) return 0;
  const uint32_t now = platform.Clock().GetTickCount();
  int32_t delta = clock.Advance(now);
  if (delta == 0) {
    platform.Clock().Sleep(1);
    return 1;
  }
  if (mode == kModeMovie) return 1;
  Update(delta, x, y);
  if (mode == kModeMovie) return 1;
  Draw(x, y);
  if (clock.TimeDiscarded()) {
    clock.Discard(platform.Clock().GetTickCount());
    clock.SetTimeDiscarded(false);
  }
  display.Present();
  return 1;
}

void CGameSystem::Update(int32_t delta, int32_t x, int32_t y) {
  if (fullRedraw) {
    display.MarkAllDirty();
    fullRedraw = false;
  }
  if (menuState != 0) return;
  if (screenMode) {
    if (screenMode->Update(delta, x, y) != 0) return;
    SetMode(kModeScript);
  }
}

void CGameSystem::Draw(int32_t x, int32_t y) {
  display.FillDirty(0);
  if (mode == kModeMovie) return;
  if (screenMode)
    screenMode->Draw(x, y);
  else
    DrawScene(x, y);
}

void CGameSystem::DrawScene(int32_t, int32_t) {}

void CGameSystem::Redraw(int32_t x, int32_t y) {
  if (!visible || !displayReady || mode == kModeMovie) return;
  display.MarkAllDirty();
  Draw(x, y);
  display.Present();
}

void CGameSystem::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (screenMode) screenMode->OnLButtonDown(flags, x, y);
}

void CGameSystem::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  if (screenMode) screenMode->OnLButtonUp(flags, x, y);
}

void CGameSystem::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  if (screenMode) screenMode->OnMouseMove(flags, x, y);
}

void CGameSystem::OnRButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (screenMode) screenMode->OnRButtonDown(flags, x, y);
}

void CGameSystem::OnMouseWheel(uint32_t, int32_t, int32_t, int32_t) {}

void CGameSystem::OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) {
  if (screenMode) screenMode->OnKeyDown(key, repeat, flags);
}
