// Game controllers as the engine's usual input: the button meanings, the stick's hysteresis, and a
// virtual controller plugged into SDL while the input runs.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/GamepadMap.h"
#include "platform/SingleInstance.h"
#include "platform/VirtualKeys.h"
#include "platform/sdl/SdlInput.h"
#include "platform/sdl/SdlWindow.h"

namespace {

struct SSeen {
  EEventType type;
  uint32_t key;
  int32_t wheel;
  bool repeat;
  bool operator==(const SSeen&) const = default;
};

SSeen Seen(const SPlatformEvent& e) {
  return {e.type, e.key, e.wheelDelta, (e.keyFlags & vk::kFlagRepeat) != 0};
}

SSeen Key(uint32_t key, bool down = true) {
  return {down ? EEventType::kKeyDown : EEventType::kKeyUp, key, 0, false};
}

std::optional<SSeen> Press(const CGamepadMap& map, EPadButton button, bool down = true) {
  std::optional<SPlatformEvent> event = map.Translate(button, down);
  return event ? std::optional<SSeen>(Seen(*event)) : std::nullopt;
}

}  // namespace

TEST(GamepadMap, ButtonsArriveAsTheKeysTheGameUnderstands) {
  const CGamepadMap map;
  EXPECT_EQ(Press(map, EPadButton::kA), Key(vk::kReturn));
  EXPECT_EQ(Press(map, EPadButton::kB), Key(vk::kEscape));
  EXPECT_EQ(Press(map, EPadButton::kStart), Key(vk::kEscape));
  EXPECT_EQ(Press(map, EPadButton::kUp), Key(vk::kUp));
  EXPECT_EQ(Press(map, EPadButton::kRight, false), Key(vk::kRight, false));
  // Y is a wheel notch away from the player (the backlog), once per press.
  EXPECT_EQ(Press(map, EPadButton::kY), (SSeen{EEventType::kMouseWheel, 0, 120, false}));
  EXPECT_FALSE(Press(map, EPadButton::kY, false).has_value());
  // The right shoulder holds Ctrl while it is held; the left one is the game's auto-mode key.
  EXPECT_EQ(Press(map, EPadButton::kRightShoulder), Key(vk::kControl));
  EXPECT_EQ(Press(map, EPadButton::kRightShoulder, false), Key(vk::kControl, false));
  EXPECT_EQ(Press(map, EPadButton::kLeftShoulder), Key(vk::kA));
  EXPECT_EQ(Press(CGamepadMap({vk::kF1 + 4}), EPadButton::kLeftShoulder), Key(vk::kF1 + 4));
  EXPECT_FALSE(Press(CGamepadMap({0}), EPadButton::kLeftShoulder).has_value()) << "the game has no auto key";
  EXPECT_FALSE(Press(map, EPadButton::kX).has_value());
  EXPECT_FALSE(Press(map, EPadButton::kBack).has_value());
}

TEST(GamepadMap, StickPressesBeyondHalfAndReleasesBelowAThird) {
  EXPECT_EQ(CGamepadMap::StickDirection(16000, 0), 0);
  EXPECT_EQ(CGamepadMap::StickDirection(16384, 0), 1);
  EXPECT_EQ(CGamepadMap::StickDirection(12000, 1), 1) << "held while above a third";
  EXPECT_EQ(CGamepadMap::StickDirection(10000, 1), 0);
  EXPECT_EQ(CGamepadMap::StickDirection(-32768, 0), -1);
  EXPECT_EQ(CGamepadMap::StickDirection(-12000, -1), -1);
  EXPECT_EQ(CGamepadMap::StickDirection(-20000, 1), -1) << "flipped across the centre";
  EXPECT_EQ(CGamepadMap::StickDirection(12000, -1), 0);
}

class VirtualControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    ASSERT_TRUE(input.Gamepad().Open()) << SDL_GetError();
  }
  void TearDown() override {
    if (device >= 0) SDL_JoystickDetachVirtual(device);
    input.Gamepad().Close();
    SDL_Quit();
  }

  // Plugs in a virtual controller with every standard button and axis.
  void Plug() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "zel test pad";
    device = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(device, 0) << SDL_GetError();
    joystick = SDL_JoystickOpen(device);
    ASSERT_NE(joystick, nullptr) << SDL_GetError();
  }
  void Button(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
  }
  void Axis(SDL_GameControllerAxis axis, int16_t value) { SDL_JoystickSetVirtualAxis(joystick, axis, value); }
  std::vector<SSeen> Poll() {
    std::vector<SSeen> seen;
    SPlatformEvent event;
    while (input.PollEvent(event)) seen.push_back(Seen(event));
    return seen;
  }

  CSdlWindow window{1};
  CSingleInstance instance;
  CSdlInput input{window, instance};
  int device = -1;
  SDL_Joystick* joystick = nullptr;
};

TEST_F(VirtualControllerTest, PluggedInControllerConfirmsGoesBackAndOpensTheBacklog) {
  Plug();
  Poll();
  ASSERT_EQ(input.Gamepad().ControllerCount(), 1) << "hot-plugged controllers are opened";
  Button(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(Poll(), std::vector<SSeen>{Key(vk::kReturn)});
  Button(SDL_CONTROLLER_BUTTON_A, false);
  Button(SDL_CONTROLLER_BUTTON_B, true);
  EXPECT_EQ(Poll(), (std::vector<SSeen>{Key(vk::kReturn, false), Key(vk::kEscape)}));
  Button(SDL_CONTROLLER_BUTTON_B, false);
  Button(SDL_CONTROLLER_BUTTON_Y, true);
  EXPECT_EQ(Poll(), (std::vector<SSeen>{Key(vk::kEscape, false), {EEventType::kMouseWheel, 0, 120, false}}));
  Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
  Poll();
  EXPECT_TRUE(input.IsKeyDown(vk::kControl)) << "skipping while the shoulder is held";
  Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
  Poll();
  EXPECT_FALSE(input.IsKeyDown(vk::kControl));
}

TEST_F(VirtualControllerTest, StickMovesLikeArrowsAndAHeldDirectionRepeats) {
  Plug();
  Poll();
  Axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
  EXPECT_EQ(Poll(), std::vector<SSeen>{Key(vk::kDown)});
  SDL_Delay(CGamepadMap::kRepeatDelayMs + 30);
  const std::vector<SSeen> repeats = Poll();
  ASSERT_EQ(repeats.size(), 1u);
  EXPECT_EQ(repeats[0], (SSeen{EEventType::kKeyDown, vk::kDown, 0, true}));
  Axis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
  EXPECT_EQ(Poll(), (std::vector<SSeen>{Key(vk::kDown, false), Key(vk::kUp)}));
}

TEST_F(VirtualControllerTest, UnpluggingLetsGoOfHeldButtons) {
  Plug();
  Poll();
  Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
  Poll();
  ASSERT_TRUE(input.IsKeyDown(vk::kControl));
  SDL_JoystickClose(joystick);
  SDL_JoystickDetachVirtual(device);
  device = -1;
  EXPECT_EQ(Poll(), std::vector<SSeen>{Key(vk::kControl, false)});
  EXPECT_EQ(input.Gamepad().ControllerCount(), 0);
  EXPECT_FALSE(input.IsKeyDown(vk::kControl));
}
