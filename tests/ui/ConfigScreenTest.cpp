// The config screen over a page of every kind of control: option labels placed left to right and
// right to left, the three text-speed steps, sliders with a 20-pixel knob, switches, the buttons of
// the dialogs and the reset, and a second page; the engine is a recording fake.
#include <functional>
#include <map>

#include "MenuScreenFixture.h"
#include "platform/VirtualKeys.h"
#include "ui/ConfigHost.h"
#include "ui/ConfigScreen.h"

using menutest::Control;

namespace {

constexpr uint32_t kGreen = 0xFF00FF00u;

class CFakeConfigHost : public IConfigHost {
 public:
  bool IsFullScreen() const override { return fullScreen; }
  void ToggleScreenMode() override {
    fullScreen = !fullScreen;
    settings::SetFullScreen(fullScreen);
    ++toggles;
  }
  int32_t GetVariable(const std::string& name) const override {
    auto it = variables.find(name);
    return it == variables.end() ? 0 : it->second;
  }
  void SetVariable(const std::string& name, int32_t value) override { variables[name] = value; }
  void SetChannelVolume(int channel, int volume) override { volumes[channel] = volume; }
  SPoint GetCursorPos() override { return cursor; }
  void SetCursorPos(int32_t x, int32_t y) override { cursor = {x, y}; }
  void SetCapture(bool value) override { captured = value; }
  bool FileExists(const std::string& path) const override { return CPackArchive::Instance().Exists(path); }
  void SetKeyword(const std::string& key, const std::string& value) override {
    settings::Keywords().Set(key, value);
  }
  void ResetKeywords() override { settings::Keywords().ResetToDefaults(); }
  void RecreateFonts() override { ++fontsMade; }
  void OpenTextInput(const std::string& caption, const std::string&, const std::string& initial,
                     size_t maxBytes, bool allowEmpty,
                     std::function<void(bool, const std::string&)> done) override {
    textCaption = caption;
    textInitial = initial;
    textLimit = maxBytes;
    textAllowsEmpty = allowEmpty;
    textDone = std::move(done);
  }
  void OpenVoiceCategories(const std::vector<std::string>& names, uint32_t mask,
                           std::function<void(bool, uint32_t)> done) override {
    voiceNames = names;
    voiceMask = mask;
    voiceDone = std::move(done);
  }
  void OpenFontChoice(const std::string& face, std::function<void(bool, const std::string&)> done) override {
    fontFace = face;
    fontDone = std::move(done);
  }

  bool fullScreen = false;
  int toggles = 0;
  std::map<std::string, int32_t> variables;
  std::map<int, int> volumes;
  SPoint cursor{0, 0};
  bool captured = false;
  int fontsMade = 0;
  std::string textCaption, textInitial;
  size_t textLimit = 0;
  bool textAllowsEmpty = true;
  std::function<void(bool, const std::string&)> textDone;
  std::vector<std::string> voiceNames;
  uint32_t voiceMask = 0;
  std::function<void(bool, uint32_t)> voiceDone;
  std::string fontFace;
  std::function<void(bool, const std::string&)> fontDone;
};

// Page 0: "ウィンドウ" left of "フルスクリーン"; the effect labels left to right; all three text
// speed steps; sliders 256 (速度, BGM) and 240 (オート速度) wide; switch 0 with both labels, switch 1
// with its ON label only; the buttons. Page 1 lacks "中速" and has no reset.
std::string FirstPage() {
  return Control("ウィンドウ", 100, 10, 160, 30, "on.png") +
         Control("フルスクリーン", 200, 10, 260, 30, "on.png") +
         Control("エフェクトON", 100, 40, 160, 60, "on.png") +
         Control("エフェクトOFF", 200, 40, 260, 60, "on.png") + Control("低速", 100, 70, 140, 90, "on.png") +
         Control("中速", 150, 70, 190, 90, "on.png") + Control("高速", 200, 70, 240, 90, "on.png") +
         Control("速度", 100, 100, 356, 120, "knob.png") +
         Control("オート速度", 100, 130, 340, 150, "knob.png") +
         Control("BGM", 100, 160, 356, 180, "knob.png") +
         Control("スイッチ0OFF", 100, 190, 160, 210, "on.png") +
         Control("スイッチ0ON", 200, 190, 260, 210, "on.png") +
         Control("スイッチ1ON", 300, 190, 360, 210, "on.png") +
         Control("名前入力", 10, 250, 90, 270, "on.png") +
         Control("ボイス分類", 100, 250, 180, 270, "on.png") +
         Control("フォント", 190, 250, 270, 270, "on.png") + Control("初期化", 280, 250, 340, 270, "on.png") +
         Control("戻る", 350, 250, 390, 270, "on.png") + Control("ページ1", 350, 280, 390, 295, "on.png");
}

std::string SecondPage() {
  return Control("低速", 100, 70, 140, 90, "on.png") + Control("高速", 200, 70, 240, 90, "on.png") +
         Control("ページ0", 300, 280, 340, 295, "on.png");
}

class ConfigScreenTest : public menutest::CMenuScreenTest {
 protected:
  void SetUp() override {
    StartGame(
        "名前入力上限,10\r\nキーワード,主人公の名前,ゆう\r\nフォント名,既定の書体\r\n"
        "コンフィグ,BGM,50\r\nボイス分類,ゆき,voice\\v\r\nボイス分類,案内,voice\\g\r\n",
        {{"config\\bg.scn", FirstPage()},
         {"config\\bg1.scn", SecondPage()},
         {"config\\on.png", menutest::FlatPng(400, 300, kGreen)},
         {"config\\knob.png", menutest::FlatPng(20, 20, 0xFFFF0000u)}});
    menu.SetScreen(CMenuLayer::kConfigScreen, &screen);
    Open(CMenuLayer::kConfigScreen);
  }
  void Key(uint32_t key, bool first = true) { screen.OnKeyDown(key, first); }
  void Click(int32_t x, int32_t y) {
    host.cursor = {x, y};
    screen.OnLButtonDown(x, y);
    screen.OnLButtonUp(x, y);
  }
  int Value(int item) const { return settings::Config().Value(item); }

  CFakeConfigHost host;
  CConfigScreen screen{host, display, menu};
};

}  // namespace

TEST_F(ConfigScreenTest, DraggingAVolumeKnobSetsItsChannelWhileDraggingAndStopsAtTheEnds) {
  EXPECT_EQ(Value(CPlayerConfig::kVolumeBgm), 128) << "the row gives 50 percent";
  // Track: 256 - 20 = 236 pixels; the knob's centre is the position.
  screen.OnLButtonDown(110, 170);
  EXPECT_EQ(screen.DraggedItem(), CPlayerConfig::kVolumeBgm);
  EXPECT_TRUE(host.captured);
  EXPECT_EQ(host.volumes[1], 0);
  screen.OnMouseMove(200, 5);
  EXPECT_EQ(host.volumes[1], 90 * 256 / 236) << "the music follows the knob while it moves";
  screen.OnMouseMove(1000, 170);
  EXPECT_EQ(Value(CPlayerConfig::kVolumeBgm), 256);
  EXPECT_EQ(host.volumes[1], 256);
  EXPECT_EQ(host.volumes.count(3), 0u) << "the voice channel is not fed by BGM";
  screen.OnMouseMove(-50, 170);
  EXPECT_EQ(Value(CPlayerConfig::kVolumeBgm), 0);
  screen.OnLButtonUp(-50, 170);
  EXPECT_FALSE(host.captured);
  screen.OnMouseMove(300, 170);
  EXPECT_EQ(Value(CPlayerConfig::kVolumeBgm), 0) << "released: moves no longer drag";
}

TEST_F(ConfigScreenTest, SlidersMapTheirTracksToTextSpeedAndAutoWait) {
  screen.OnLButtonDown(100 + 10 + 118, 110);  // middle of the 236-pixel track
  screen.OnLButtonUp(0, 0);
  EXPECT_EQ(Value(CPlayerConfig::kTextSpeed), 50);
  // The auto wait shortens to the right; the right end means no wait.
  screen.OnLButtonDown(335, 140);
  screen.OnLButtonUp(0, 0);
  EXPECT_EQ(Value(CPlayerConfig::kAutoWait), 0);
  screen.OnLButtonDown(101, 140);
  screen.OnMouseMove(100 + 10 + 55, 140);  // a quarter of the 220-pixel track
  screen.OnLButtonUp(0, 0);
  EXPECT_EQ(Value(CPlayerConfig::kAutoWait), 90);
  EXPECT_EQ(Value(CPlayerConfig::kTextSpeedStep), 50) << "both text speed items show one value";
}

TEST_F(ConfigScreenTest, LeftAndRightFollowWhereTheLabelsArePlaced) {
  settings::SetFullScreen(true);
  host.fullScreen = true;
  host.cursor = {230, 20};  // the centre of "フルスクリーン"
  Key(vk::kLeft);
  EXPECT_EQ(Value(CPlayerConfig::kScreenMode), 1) << "Left moves toward ウィンドウ, placed on the left";
  EXPECT_FALSE(host.fullScreen);
  EXPECT_EQ(host.toggles, 1);
  EXPECT_EQ(host.cursor, (SPoint{130, 20})) << "the cursor goes to the value's control";
  Key(vk::kLeft);
  EXPECT_EQ(host.toggles, 1) << "no change, no switch";
  Key(vk::kRight);
  EXPECT_EQ(Value(CPlayerConfig::kScreenMode), 0);
  EXPECT_TRUE(host.fullScreen);

  host.cursor = {130, 50};  // "エフェクトON", placed left to right
  Key(vk::kRight);
  EXPECT_EQ(Value(CPlayerConfig::kEffects), 1);
  EXPECT_EQ(host.cursor, (SPoint{230, 50}));
  host.cursor = {230, 37};  // off the row's centre: no current item
  Key(vk::kLeft);
  EXPECT_EQ(Value(CPlayerConfig::kEffects), 1);
}

TEST_F(ConfigScreenTest, TextSpeedStepsShowTheirLabelAndSkipMissingOnes) {
  settings::Config().SetValue(CPlayerConfig::kTextSpeed, 60);
  DrawFrame(-1, -1, true);
  EXPECT_EQ(At(220, 80), kGreen) << "60 shows 高速";
  EXPECT_NE(At(170, 80), kGreen);
  settings::Config().SetValue(CPlayerConfig::kTextSpeed, 50);
  DrawFrame(-1, -1, true);
  EXPECT_EQ(At(170, 80), kGreen) << "exactly 50 shows 中速";
  EXPECT_NE(At(220, 80), kGreen);

  host.cursor = {170, 80};
  Key(vk::kRight);
  EXPECT_EQ(Value(CPlayerConfig::kTextSpeed), 100);
  Key(vk::kRight);
  EXPECT_EQ(Value(CPlayerConfig::kTextSpeed), 100) << "stops at the end";

  Key(vk::kNext);
  ASSERT_EQ(screen.Page(), 1);
  settings::Config().SetValue(CPlayerConfig::kTextSpeed, 0);
  host.cursor = {120, 80};
  Key(vk::kRight);
  EXPECT_EQ(Value(CPlayerConfig::kTextSpeed), 100) << "a page without 中速 steps over it";
}

TEST_F(ConfigScreenTest, SliderKeysStepByTenWithinTheirRanges) {
  settings::Config().SetValue(CPlayerConfig::kAutoWait, 0);
  host.cursor = {110, 140};
  Key(vk::kRight);
  EXPECT_EQ(Value(CPlayerConfig::kAutoWait), 0);
  settings::Config().SetValue(CPlayerConfig::kAutoWait, 115);
  host.cursor = {110, 140};
  Key(vk::kLeft);
  EXPECT_EQ(Value(CPlayerConfig::kAutoWait), 120);
  EXPECT_EQ(host.cursor, (SPoint{220, 140})) << "a slider's cursor goes to its control's centre";

  settings::Config().SetValue(CPlayerConfig::kVolumeBgm, 250);
  host.cursor = {110, 170};
  Key(vk::kRight);
  EXPECT_EQ(Value(CPlayerConfig::kVolumeBgm), 256) << "above 255 is full volume";
  EXPECT_EQ(host.volumes[1], 256);
  settings::Config().SetValue(CPlayerConfig::kVolumeBgm, 5);
  Key(vk::kLeft);
  EXPECT_EQ(Value(CPlayerConfig::kVolumeBgm), 0);
}

TEST_F(ConfigScreenTest, UpAndDownWalkTheItemsInReadingOrderAndWrap) {
  host.cursor = {0, 0};
  Key(vk::kDown);
  EXPECT_EQ(host.cursor, (SPoint{130, 20})) << "no current item: the first in reading order (ウィンドウ)";
  Key(vk::kDown);
  EXPECT_EQ(host.cursor, (SPoint{130, 50}));
  Key(vk::kUp);
  Key(vk::kUp);
  EXPECT_EQ(host.cursor, (SPoint{370, 260})) << "wraps to the last in reading order: 戻る";
  screen.OnLButtonDown(110, 110);
  Key(vk::kDown);
  EXPECT_EQ(host.cursor, (SPoint{370, 260})) << "keys wait while a knob is dragged";
}

TEST_F(ConfigScreenTest, PageKeysSwitchOnlyToPagesThatExist) {
  Key(vk::kPrior);
  EXPECT_EQ(screen.Page(), 0);
  Key(vk::kNext, false);
  EXPECT_EQ(screen.Page(), 0) << "a held key does not turn pages";
  Key(vk::kNext);
  EXPECT_EQ(screen.Page(), 1);
  Key(vk::kNext);
  EXPECT_EQ(screen.Page(), 1) << "there is no bg2.scn";
  Click(320, 285);
  EXPECT_EQ(screen.Page(), 0) << "a page button";
}

TEST_F(ConfigScreenTest, SwitchesAreTheirScriptVariables) {
  Click(230, 200);
  EXPECT_EQ(host.GetVariable("CONFIG_SWITCH0"), 1);
  DrawFrame(-1, -1, true);
  EXPECT_EQ(At(230, 200), kGreen);
  EXPECT_NE(At(130, 200), kGreen);
  host.cursor = {230, 200};
  Key(vk::kLeft);
  EXPECT_EQ(host.GetVariable("CONFIG_SWITCH0"), 0);
}

TEST_F(ConfigScreenTest, TheNameDialogRefusesAnEmptyNameAndCancelKeepsTheOldOne) {
  Click(50, 260);
  ASSERT_TRUE(host.textDone);
  EXPECT_EQ(host.textInitial, "ゆう");
  EXPECT_EQ(host.textLimit, 10u);
  EXPECT_FALSE(host.textAllowsEmpty);
  host.textDone(true, "");
  EXPECT_EQ(settings::Keywords().Get("主人公の名前"), "ゆう");
  host.textDone(false, "");
  EXPECT_EQ(settings::Keywords().Get("主人公の名前"), "ゆう");
  host.textDone(true, "あきら");
  EXPECT_EQ(settings::Keywords().Get("主人公の名前"), "あきら");
}

TEST_F(ConfigScreenTest, VoiceAndFontDialogsWriteOnOkOnly) {
  host.cursor = {140, 260};
  Key(vk::kReturn);
  ASSERT_TRUE(host.voiceDone);
  EXPECT_EQ(host.voiceNames, (std::vector<std::string>{"ゆき", "案内"}));
  EXPECT_EQ(host.voiceMask, 0xFFFFFFFFu);
  host.voiceDone(false, 0);
  EXPECT_EQ(settings::Config().VoiceMask(), 0xFFFFFFFFu);
  host.voiceDone(true, 0xFFFFFFFEu);
  EXPECT_EQ(settings::Config().VoiceMask(), 0xFFFFFFFEu);

  Click(230, 260);
  ASSERT_TRUE(host.fontDone);
  EXPECT_EQ(host.fontFace, "既定の書体");
  host.fontDone(false, "");
  EXPECT_EQ(host.fontsMade, 0);
  host.fontDone(true, "別の書体");
  EXPECT_EQ(settings::FontName(), "別の書体");
  EXPECT_EQ(host.fontsMade, 1);
}

TEST_F(ConfigScreenTest, ResetAsksThenRestoresTheDefaultsButKeepsTheScreenMode) {
  settings::SetFullScreen(true);
  host.fullScreen = true;
  settings::Config().SetValue(CPlayerConfig::kVolumeBgm, 10);
  settings::Config().SetValue(CPlayerConfig::kTextSpeed, 0);
  settings::Config().SetVoiceMask(1);
  settings::SetFontName("別の書体");
  settings::Keywords().Set("主人公の名前", "あきら");
  host.variables = {{"CONFIG_SWITCH0", 1}, {"CONFIG_SWITCH1", 1}};
  Click(300, 260);
  EXPECT_TRUE(menu.IsPromptShown());
  EXPECT_EQ(Value(CPlayerConfig::kVolumeBgm), 10) << "nothing changes before the answer";
  screen.OnPromptYes();
  EXPECT_EQ(Value(CPlayerConfig::kScreenMode), 0) << "full screen stays";
  EXPECT_EQ(host.toggles, 0);
  EXPECT_EQ(Value(CPlayerConfig::kVolumeBgm), 128) << "the settings' row applies again";
  EXPECT_EQ(host.volumes[1], 128);
  EXPECT_EQ(Value(CPlayerConfig::kTextSpeed), 50);
  EXPECT_EQ(settings::Config().VoiceMask(), 0xFFFFFFFFu);
  EXPECT_EQ(settings::FontName(), "既定の書体");
  EXPECT_EQ(host.fontsMade, 1);
  EXPECT_EQ(settings::Keywords().Get("主人公の名前"), "ゆう");
  EXPECT_EQ(host.GetVariable("CONFIG_SWITCH0"), 0);
  EXPECT_EQ(host.GetVariable("CONFIG_SWITCH1"), 1) << "no OFF control on this page";
}

TEST_F(ConfigScreenTest, BackLeavesAndButtonsShowTheirHover) {
  DrawFrame(50, 260, true);
  EXPECT_EQ(At(50, 260), kGreen) << "the name button under the cursor";
  EXPECT_NE(At(140, 260), kGreen);
  menu.Update(1);
  DrawFrame(140, 260);
  EXPECT_NE(At(50, 260), kGreen) << "the hover left: redrawn without a whole-screen redraw";
  EXPECT_EQ(At(140, 260), kGreen);
  Click(370, 260);
  EXPECT_EQ(menu.State(), CMenuLayer::kNone);
}

TEST_F(ConfigScreenTest, ADraggedFrameDrawnOverItsDirtySpansEqualsTheWholeFrame) {
  DrawFrame(-1, -1, true);
  screen.OnLButtonDown(110, 170);
  screen.OnMouseMove(300, 170);
  DrawFrame(-1, -1);
  const std::vector<uint32_t> incremental(display.Pixels(), display.Pixels() + 400 * 300);
  DrawFrame(-1, -1, true);
  EXPECT_TRUE(std::equal(incremental.begin(), incremental.end(), display.Pixels()));
  EXPECT_EQ(At(300, 170), 0xFFFF0000u) << "the knob stands at the cursor";
}
