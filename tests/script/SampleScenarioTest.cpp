#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FakeScriptHost.h"
#include "io/ShiftJis.h"

namespace {

// Game sources are UTF-8; the game gets them in Shift JIS.
std::string LoadSource(const std::string& path) {
  std::ifstream in(std::string(ZEL_SOURCE_DIR) + "/" + path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return sjis::FromUtf8(text.str());
}

// Plays the sample's first chapter as its playthrough input does: one confirm per wait, the first
// entry of the choice. Only the first chapter's scripts are given, so the jump to the gallery finds
// no file and the scenario ends there.
TEST(GameScenario, SampleFirstChapterPlaysThroughWithTwelveConfirms) {
  SScriptFixture game;
  game.files["scenario\\subScript.adv"] = LoadSource("sample/game/scenario/subScript.adv");
  game.Start(LoadSource("sample/game/scenario/mainScript.adv"));
  const std::vector<std::string> expected = {
      "ようこそ、ZEL のサンプルゲームへ。\nこのお話は、スクリプトでできることを順番に見せていきます。",
      "choice 散歩に出かける/家で本を読む",
      "まずは選択肢です。どちらを選んでも先へ進めます。\n外に出ると、風が心地よかった。",
      "散歩の思い出が一つ増えた。",
      "次は繰り返しです。三つ数えます。",
      "1つ目。",
      "2つ目。",
      "3つ目。\n数え終わりました。合計は30点です。",
      "ここは二つ目のスクリプトです。",
      "ここは二つ目のスクリプトです。\n読み終えると、呼び出し元へ戻ります。",
      "二つ目のスクリプトから戻ってきました。",
      "これで第一話はおしまいです。",
  };
  EXPECT_EQ(game.PlayThrough(), expected);
  EXPECT_EQ(game.host.scenarioEnds, 1);
  EXPECT_EQ(game.host.log.back(), "error scenario\\gallery.adv スクリプトファイルが開けません");
  EXPECT_EQ(game.host.variables.GetVariable("walk"), 1);
}

// The expression test game's pages are the ones its expected trace lists.
TEST(GameScenario, ExpressionGameShowsItsResults) {
  SScriptFixture game;
  game.Start(LoadSource("tests/games/exp_output/game/scenario/mainScript.adv"));
  std::vector<std::string> expected;
  std::istringstream lines(LoadSource("tests/games/exp_output/expected-clicks.txt"));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    for (size_t at; (at = line.find("\\n")) != std::string::npos;) line.replace(at, 2, "\n");
    expected.push_back(line);
  }
  ASSERT_EQ(expected.size(), 3u);
  EXPECT_EQ(game.PlayThrough(), expected);
  EXPECT_EQ(game.host.scenarioEnds, 1);
}

}  // namespace
