#include "app/GameSystem.h"

#include <algorithm>
#include <cstdlib>

#include "app/BacklogHostAdapter.h"
#include "app/ConfigHostAdapter.h"
#include "app/GameSaves.h"
#include "app/InputRouter.h"
#include "app/MenuHostAdapter.h"
#include "app/MessageHostAdapter.h"
#include "app/PictureHostAdapter.h"
#include "app/SaveLoadHostAdapter.h"
#include "app/ScriptHostAdapter.h"
#include "app/SoundHostAdapter.h"
#include "app/SystemDataHostAdapter.h"
#include "audio/MoviePlayback.h"
#include "audio/SoundSystem.h"
#include "gfx/Animation.h"
#include "gfx/LayerSet.h"
#include "gfx/ScreenEffect.h"
#include "io/EnvironmentReport.h"
#include "io/LooseFiles.h"
#include "io/PackArchive.h"
#include "io/Path.h"
#include "io/SystemLog.h"
#include "io/Trace.h"
#include "modes/AlbumMode.h"
#include "modes/DateMode.h"
#include "modes/FlashbackMode.h"
#include "modes/LogoMode.h"
#include "modes/MapMode.h"
#include "modes/MapSelectMode.h"
#include "modes/MusicRoomMode.h"
#include "modes/TitleMode.h"
#include "persist/Settings.h"
#include "persist/SystemData.h"
#include "platform/Platform.h"
#include "script/ScriptRunner.h"
#include "ui/BacklogScreen.h"
#include "ui/ConfigScreen.h"
#include "ui/DialogLayer.h"
#include "ui/MenuLayer.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"
#include "ui/SaveLoadScreen.h"

CGameSystem::CGameSystem(IPlatform& p)
    : platform(p),
      scriptHost(std::make_unique<CScriptHostAdapter>(*this)),
      script(std::make_unique<CScriptRunner>(*scriptHost)),
      soundHost(std::make_unique<CSoundHostAdapter>(*this)),
      sound(std::make_unique<CSoundSystem>(*soundHost)),
      pictureHost(std::make_unique<CPictureHostAdapter>(*this)),
      layers(std::make_unique<CLayerSet>(*pictureHost)),
      messageHost(std::make_unique<CMessageHostAdapter>(*this)),
      text(std::make_unique<CMessageText>(*messageHost, display)),
      window(std::make_unique<CMessageWindow>(*messageHost, *text, display)),
      menuHost(std::make_unique<CMenuHostAdapter>(*this)),
      menu(std::make_unique<CMenuLayer>(*menuHost, display, *text, *window)),
      dialogs(std::make_unique<CDialogLayer>(display, text->Fonts(), platform.Input())),
      input(std::make_unique<CInputRouter>(*this, *menu)),
      configHost(std::make_unique<CConfigHostAdapter>(*this)),
      configScreen(std::make_unique<CConfigScreen>(*configHost, display, *menu)),
      backlogHost(std::make_unique<CBacklogHostAdapter>(*this)),
      backlogScreen(std::make_unique<CBacklogScreen>(*backlogHost, display, *menu, *text)),
      systemDataHost(std::make_unique<CSystemDataHostAdapter>(*this)),
      saves(std::make_unique<CGameSaves>(*this)),
      saveLoadHost(std::make_unique<CSaveLoadHostAdapter>(*this)) {
  using enum CSaveLoadScreen::EKind;
  saveScreen = std::make_unique<CSaveLoadScreen>(kSave, *saveLoadHost, *menu, display, text->Fonts());
  loadScreen = std::make_unique<CSaveLoadScreen>(kLoad, *saveLoadHost, *menu, display, text->Fonts());
  menu->SetScreen(CMenuLayer::kSaveScreen, saveScreen.get());
  menu->SetScreen(CMenuLayer::kLoadScreen, loadScreen.get());
  menu->SetScreen(CMenuLayer::kConfigScreen, configScreen.get());
  menu->SetScreen(CMenuLayer::kBacklog, backlogScreen.get());
}

CGameSystem::~CGameSystem() { systemDataHost->Detach(); }

bool CGameSystem::Startup(bool openingFlow) {
  started = true;
  CSystemLog::OpenLog(settings::GetSetting("システムログ", "system.log"));
  const bool result = StartSubsystems(openingFlow);
  CSystemLog::CloseLog();
  return result;
}

bool CGameSystem::StartSubsystems(bool openingFlow) {
  CPackArchive::Instance().LogArchives();
  CEnvironmentReport::LogProcessor(CSystemInfo::QueryProcessor());
  CEnvironmentReport::LogOsVersion(CSystemInfo::QueryOsVersion());
  platform.Window().SetTitle(settings::GetTitle());
  displayReady = display.Init(&platform.Window(), settings::ScreenWidth(), settings::ScreenHeight(),
                              !settings::IsFullScreen());
  if (!displayReady) return false;
  if (SDisplayDriverInfo driver; platform.Window().DescribeDriver(driver))
    CEnvironmentReport::LogDisplayDriver(driver);
  visible = false;
  sound->InitSound(platform.Audio());
  for (const std::string& name : settings::SharedVariableNames()) variables.DeclareShared(name);
  systemDataHost->Attach();
  for (const auto& [keyword, text] : settings::Keywords().Current()) {
    variables.SetDefaultSubstitution(keyword, settings::Keywords().GetDefault(keyword));
    variables.SetSubstitution(keyword, text);
  }
  text->Reset();
  if (IFontRasterizer* fonts = platform.Fonts()) text->CreateFonts(*fonts);
  text->SetWindowStyle(0);
  LoadSystemImages();
  window->LoadLayouts();
  menu->Start();
  inactive = skipping = autoMode = replay = openingRunning = false;
  apEnabled = settings::IsApEnabled();
  StartNewGameState();
  if (openingFlow) OpenOpeningScript();
  CSystemData::WriteSystemData();
  visible = true;
  DiscardElapsedTime();
  return true;
}

void CGameSystem::LoadSystemImages() {
  systemImage.Load("system\\system.png");
  framePicture.Load("system\\frame.png");
  window->SetSystemImage(systemImage.IsEmpty() ? nullptr : &systemImage);
  keyWait = std::make_unique<CAnimation>(*pictureHost, -1, 0);
  if (CPackArchive::Instance().Exists("system\\window\\keywait.anm"))
    keyWait->Create("system\\window\\keywait.anm", "", 1.0f);
  // An animation without frames is dropped; the strip of system.png is drawn instead.
  if (keyWait->Width() <= 0) keyWait.reset();
  window->SetKeyWaitAnimation(keyWait.get());
}

void CGameSystem::OpenOpeningScript() {
  const std::string opening = settings::GetSetting("オープニングスクリプト", "");
  if (opening.empty()) {
    SetMode(kModeLogo);
  } else {
    openingRunning = true;
    script->OpenScript(ResolvePath(opening), 0, false);
  }
  DiscardElapsedTime();
}

bool CGameSystem::StartNewGame(const std::string& scriptName, const std::string& label) {
  ResetGame();
  const bool opened = script->OpenScript(scriptName, 0, false);
  if (opened && !label.empty()) script->JumpToLabel(label);
  SetMenuState(0);
  DiscardElapsedTime();
  return opened;
}

void CGameSystem::OnScenarioEnded() {
  const bool wasOpening = openingRunning;
  saves->Snapshots().Clear();
  ResetGame();
  if (replay)
    ReturnToFlashback();
  else if (!wasOpening || !PlayOpeningMovie())
    SetMode(kModeTitle);
  SetMenuState(0);
}

bool CGameSystem::PlayOpeningMovie() {
  const std::string name = settings::GetSetting("オープニングムービー", "");
  if (name.empty() || GetExtension(name) == "PSS") return false;
  PlayMovie(ResolvePath(name));
  return true;
}

void CGameSystem::PlayMovie(const std::string& name) {
  if (GetExtension(name) == "PSS") return;
  SetMode(kModeMovie);
  movieName = name;
  CTrace::Event("movie", {{"action", "start"}, {"file", name}});
  const std::string hostPath = CLooseFiles::Instance().Find(name);
  const int32_t volume =
      CSoundSystem::VolumeToAttenuation(settings::Config().Value(CPlayerConfig::kVolumeBgm));
  if (!hostPath.empty())
    movie = CMoviePlayback::Start(platform.Movies(), &platform.Audio(), hostPath, display.Width(),
                                  display.Height(), volume, platform.Clock().GetTickCount());
  DiscardElapsedTime();
  if (movie) return;
  ShowFileError(name);
  EndMovie();
}

void CGameSystem::EndMovie() {
  if (mode == kModeMovie) SetMode(script->IsActive() ? kModeScript : kModeTitle);
}

void CGameSystem::TickMovie() {
  if (!movie || !movie->Update(platform.Clock().GetTickCount())) {
    // A file that breaks while it plays is reported as one that cannot be played.
    if (movie && movie->Failed()) ShowFileError(movieName);
    return EndMovie();
  }
  if (const uint32_t* picture = movie->NewPicture()) {
    std::copy_n(picture, static_cast<size_t>(display.Width()) * display.Height(), display.Pixels());
    display.MarkAllDirty();
  }
  display.Present();
}

void CGameSystem::ResetScene() {
  layers->Effect().SetEffect(0);
  SetMode(kModeScript);
  choices.clear();
  clickRegions.clear();
}

bool CGameSystem::SaveGame(int32_t slot) { return saves->SaveGame(slot); }
bool CGameSystem::LoadGame(int32_t slot) { return saves->LoadGame(slot); }
bool CGameSystem::HasQuickSave() const { return saves->HasQuickSave(); }
bool CGameSystem::HasPreviousChoice() const { return !saves->Snapshots().IsEmpty(); }

void CGameSystem::ReturnToTitle() {
  ResetGame();
  if (replay)
    ReturnToFlashback();
  else
    SetMode(kModeTitle);
}

void CGameSystem::ReturnToFlashback() {
  SetMode(kModeFlashback);
  if (screenMode) return;
  // A flashback screen the engine cannot build leaves no mode object: the title takes over, and a
  // game started from it is no replay.
  replay = false;
  SetMode(kModeTitle);
}

void CGameSystem::StartNewGameState() {
  text->SetRevealFactor(std::atoi(settings::GetSetting("テキスト速度", "3").c_str()));
  gameClock.month = 1;
  gameClock.day = 1;
  variables.ClearGameVariables();
  doneMarks.Clear();
}

void CGameSystem::ResetGame() {
  ResetScene();
  clock.Reset(platform.Clock().GetTickCount());
  waitElapsed = waitLength = 0;
  skipping = autoMode = false;
  openingRunning = false;
  text->Reset();
  script->Reset();
  layers->Clear();
  sound->StopRegisteredSounds();
  StartNewGameState();
}

void CGameSystem::Shutdown() {
  SetMenuState(0);
  CSystemData::WriteSystemData();
  sound->ShutdownSound();
  screenMode.reset();
  display.Shutdown();
  displayReady = false;
  visible = false;
  CTrace::Event("quit");
}

bool CGameSystem::QueryQuit(bool ask) {
  if (ask && menu->State() != CMenuLayer::kQuit) {
    const EAnswer answer = platform.Dialogs().MessageBox("終了", "終了しますか？", true);
    // A box the system cannot show is asked by the engine's own prompt over the game instead;
    // with nothing to draw on, the close request stands.
    if (answer == EAnswer::kUnavailable && displayReady) {
      menu->OpenMenu(CMenuLayer::kQuit);
      return false;
    }
    if (answer == EAnswer::kNo) return false;
  }
  ResetGame();
  Shutdown();
  return true;
}

void CGameSystem::SetMenuState(int32_t state) { menu->OpenMenu(state); }

int32_t CGameSystem::MenuState() const { return menu->State(); }

bool CGameSystem::IsQuitRequested() const { return menu->IsCloseRequested(); }

void CGameSystem::LeaveMode(int32_t oldMode, int32_t newMode) {
  if (oldMode == kModeChoice && newMode != kModeChoice) choices.clear();
  if (oldMode == kModeClickRegions && newMode != kModeClickRegions) clickRegions.clear();
  if (oldMode == kModeEffectOut) layers->Effect().SetEffect(0);
  if (oldMode == kModeMap && apEnabled)
    variables.SetVariable("AP", std::max(variables.GetVariable("AP") - 1, 0));
  if (oldMode == kModeMovie && newMode != kModeMovie) {
    movie.reset();
    CTrace::Event("movie", {{"action", "end"}, {"file", movieName}});
    display.MarkAllDirty();
    DiscardElapsedTime();
  }
}

void CGameSystem::EnterMode(int32_t oldMode, int32_t newMode) {
  if (newMode == kModeChoice || newMode == kModeClickRegions) choiceTaken = -1;
  if (newMode == kModeTitle) screenMode = std::make_unique<CTitleMode>(*this);
  if (newMode == kModeLogo) screenMode = std::make_unique<CLogoMode>(*this);
  if (newMode == kModeMap) screenMode = CMapMode::Enter(*this);
  if (newMode == kModeMapSelect) screenMode = std::make_unique<CMapSelectMode>(*this);
  if (newMode == kModeDate) screenMode = std::make_unique<CDateMode>(*this, scriptHost->DateBackground());
  // An extras screen without its layout has no object: the title takes over.
  if (newMode == kModeAlbum) screenMode = CAlbumMode::Create(*this);
  if (newMode == kModeFlashback) screenMode = CFlashbackMode::Create(*this, oldMode == kModeTitle);
  if (newMode == kModeMusicRoom) screenMode = CMusicRoomMode::Create(*this);
}

void CGameSystem::SetMode(int32_t newMode) {
  const int32_t oldMode = mode;
  LeaveMode(oldMode, newMode);
  screenMode.reset();
  const bool leftChoicePoint = oldMode == kModeChoice || oldMode == kModeClickRegions ||
                               oldMode == kModeMap || oldMode == kModeMapSelect;
  if (leftChoicePoint && settings::Config().Value(CPlayerConfig::kSkipContinue) == 1)
    skipping = autoMode = false;
  waitElapsed = 0;
  mode = newMode;
  if (oldMode != newMode) CTrace::Event("mode", {{"from", oldMode}, {"to", newMode}});
  EnterMode(oldMode, newMode);
  switch (newMode) {
    case kModeText:
      waitLength = text->RevealDelay();
      break;
    case kModeEffectIn:
    case kModeEffectOut:
    case kModeTransition:
    case kModeWait:
      break;  // set by the caller
    case kModeWindow:
      waitLength = settings::WindowTime();
      break;
    case kModeSoundWait:
      waitLength = kWaitForever;
      break;
    default:
      waitLength = 0;
      break;
  }
}

int32_t CGameSystem::DiscardElapsedTime() {
  clock.SetTimeDiscarded(true);
  return clock.Discard(platform.Clock().GetTickCount());
}

void CGameSystem::SetInactive(bool flag) {
  inactive = flag;
  // Leaving the window ends a movie; the game then pauses as it does at any other time.
  if (flag && mode == kModeMovie) EndMovie();
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
  // No tick has passed: nothing runs; the caller waits for the next one (MillisecondsToNextTick).
  if (delta == 0) return 1;
  ++framesRun;
  sound->UpdateSoundFades(delta);
  if (mode == kModeMovie) {
    TickMovie();
    return 1;
  }
  Update(delta, x, y);
  if (mode == kModeMovie) return 1;
  Draw(x, y);
  if (frameDrawn) frameDrawn(x, y);
  if (clock.TimeDiscarded()) {
    clock.Discard(platform.Clock().GetTickCount());
    clock.SetTimeDiscarded(false);
  }
  display.Present();
  // Read flags, unlocks and shared variables reach system.dat while the player reads, not only at
  // exit; the write's time is not charged to the game.
  if (IsWaitingForPlayer() && CSystemData::Instance().WriteIfChanged(now)) DiscardElapsedTime();
  return 1;
}

int32_t CGameSystem::MillisecondsToNextTick() const {
  return clock.UntilNextTick(platform.Clock().GetTickCount());
}

bool CGameSystem::IsWaitingForPlayer() const {
  return menu->State() == CMenuLayer::kNone &&
         (mode == kModeClickWait || mode == kModeClickWaitPage || mode == kModeChoice ||
          mode == kModeClickRegions || mode == kModeTitle);
}

void CGameSystem::Update(int32_t delta, int32_t x, int32_t y) {
  UpdateState(delta, x, y);
  // What the window shows is settled (and marked) once the frame's state is, before anything is drawn.
  window->MarkFrameChanges(clock.LastTick());
}

void CGameSystem::UpdateState(int32_t delta, int32_t x, int32_t y) {
  if (fullRedraw) {
    display.MarkAllDirty();
    fullRedraw = false;
  }
  window->MarkHoverDirty(cursor.x, cursor.y, x, y);
  layers->MarkFrameDirty();
  cursor = {x, y};
  if (menu->Update(delta)) return;
  if (screenMode) {
    if (screenMode->Update(delta, x, y) != 0) return;
    SetMode(kModeScript);
  }
  layers->Update(delta);
  if (script->IsActive()) script->RunScript(delta, x, y);
}

void CGameSystem::Draw(int32_t x, int32_t y) {
  display.FillDirty(0);
  if (mode == kModeMovie) return;
  if (!menu->CoversGame()) {
    if (screenMode)
      screenMode->Draw(x, y);
    else
      DrawScene(x, y);
  }
  menu->Draw(x, y);
  dialogs->Draw();
}

void CGameSystem::DrawScene(int32_t x, int32_t y) {
  layers->DrawScene();
  window->Draw(x, y);
  if (!framePicture.IsEmpty())
    framePicture.Blit(SDrawTarget::Screen(display), 0, 0, framePicture.Width(), framePicture.Height(), 0, 0,
                      0xFFFFFFFF);
}

void CGameSystem::SetVisible(bool flag) {
  // A window shown again (restored from the taskbar) has lost its picture: everything is redrawn.
  if (flag && !visible && displayReady) display.MarkAllDirty();
  visible = flag;
}

void CGameSystem::DrawGameScreen() {
  if (!displayReady && display.Width() == 0) return;
  display.MarkAllDirty();
  display.FillDirty(0);
  if (screenMode)
    screenMode->Draw(-1, -1);
  else
    DrawScene(-1, -1);
}

void CGameSystem::Redraw(int32_t x, int32_t y) {
  if (!visible || !displayReady || mode == kModeMovie) return;
  display.MarkAllDirty();
  Draw(x, y);
  display.Present();
}

void CGameSystem::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) { input->OnLButtonDown(flags, x, y); }

void CGameSystem::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) { input->OnLButtonUp(flags, x, y); }

void CGameSystem::OnMouseMove(uint32_t flags, int32_t x, int32_t y) { input->OnMouseMove(flags, x, y); }

void CGameSystem::OnRButtonDown(uint32_t flags, int32_t x, int32_t y) { input->OnRButtonDown(flags, x, y); }

void CGameSystem::OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) {
  input->OnMouseWheel(flags, delta, x, y);
}

void CGameSystem::OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) {
  input->OnKeyDown(key, repeat, flags);
}

void CGameSystem::OnTextInput(const std::string& utf8) { input->OnTextInput(utf8); }

void CGameSystem::OnTextEditing(const std::string& utf8, int32_t cursor) {
  input->OnTextEditing(utf8, cursor);
}
