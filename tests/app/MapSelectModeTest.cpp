#include <gtest/gtest.h>

#include "app/GameSystem.h"
#include "app/ScriptHostAdapter.h"
#include "modes/MapSelectMode.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

using Active = std::array<bool, CMapSelectMode::kEntries>;

Active Entries(std::initializer_list<int> indices) {
  Active active{};
  for (int i : indices) active[static_cast<size_t>(i)] = true;
  return active;
}

TEST(MapSelectStep, WrapsAroundOverActiveEntriesOnly) {
  const Active two = Entries({2, 5});
  EXPECT_EQ(CMapSelectMode::Step(two, 2, 1), 5);
  EXPECT_EQ(CMapSelectMode::Step(two, 5, 1), 2);
  EXPECT_EQ(CMapSelectMode::Step(two, 2, -1), 5);
  EXPECT_EQ(CMapSelectMode::Step(Entries({0, 15}), 15, 1), 0);
  EXPECT_EQ(CMapSelectMode::Step(Entries({0, 15}), 0, -1), 15);
  EXPECT_EQ(CMapSelectMode::Step(Entries({7}), 7, 1), 7) << "a lone entry stays selected";
  EXPECT_EQ(CMapSelectMode::Step(Entries({}), CMapSelectMode::kNone, 1), CMapSelectMode::kNone);
}

class MapSelectEngine : public ::testing::Test {
 protected:
  CHeadlessPlatform platform{CInputScript(), true};
  CGameSystem game{platform};

  CMapSelectMode* Enter() {
    game.SetMode(CGameSystem::kModeMapSelect);
    return dynamic_cast<CMapSelectMode*>(game.ScreenMode());
  }
  int Press(CMapSelectMode& mode, uint32_t key) {
    EXPECT_EQ(mode.OnKeyDown(key, 0, 0), 1);
    return mode.Update(1, -1, -1);
  }
};

TEST_F(MapSelectEngine, KeysMoveOverTheAnswersAndLeavingClearsThem) {
  game.ScriptHost().SetMapAnswer(5, 1, "five");
  game.ScriptHost().SetMapAnswer(2, -1, "two");
  CMapSelectMode* mode = Enter();
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->Selected(), 2) << "the first active entry";
  EXPECT_EQ(Press(*mode, vk::kRight), 1);
  EXPECT_EQ(mode->Selected(), 5);
  EXPECT_EQ(Press(*mode, vk::kRight), 1);
  EXPECT_EQ(mode->Selected(), 2);
  EXPECT_EQ(Press(*mode, vk::kUp), 1);
  EXPECT_EQ(mode->Selected(), 5);
  EXPECT_EQ(mode->OnKeyDown(vk::kSpace, 0, 0), 0) << "other keys are not taken";
  EXPECT_EQ(mode->Update(1, -1, -1), 1) << "flags are cleared after each update";
  EXPECT_EQ(mode->Selected(), 5);
  EXPECT_EQ(Press(*mode, vk::kReturn), 0) << "deciding ends the screen";
  game.SetMode(CGameSystem::kModeScript);
  for (const auto& answer : game.ScriptHost().MapAnswers()) EXPECT_TRUE(answer.label.empty());
}

TEST_F(MapSelectEngine, WithoutAnswersTheScreenEndsAtOnce) {
  CMapSelectMode* mode = Enter();
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->Selected(), CMapSelectMode::kNone);
  EXPECT_EQ(mode->Update(1, -1, -1), 0);
}

}  // namespace
