#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FakeScriptHost.h"
#include "io/ShiftJis.h"

namespace {

// The sample game's scenario sources are UTF-8; the game gets them in Shift JIS.
std::string LoadScenario(const char* name) {
  std::ifstream in(std::string(ZEL_SOURCE_DIR) + "/sample/game/scenario/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return sjis::FromUtf8(text.str());
}

// Plays the sample's first chapter as the playthrough input does: one confirm per wait, the first
// entry of the choice. Every wait's page is recorded.
TEST(SampleScenario, FirstChapterPlaysThroughWithTwelveConfirms) {
  SScriptFixture game;
  game.files["scenario\\subScript.adv"] = LoadScenario("subScript.adv");
  game.Start(LoadScenario("mainScript.adv"));
  std::vector<std::string> waits;
  int confirms = 0;
  while (game.runner.IsActive() && confirms < 30) {
    if (game.host.mode == 4) {
      waits.push_back("choice " + game.host.choices[0].text + "/" + game.host.choices[1].text);
      game.host.choiceTaken = 0;
      game.Frame();
    } else {
      waits.push_back(game.host.PageText());
      game.Click();
    }
    ++confirms;
  }
  EXPECT_EQ(game.host.scenarioEnds, 1);
  EXPECT_EQ(confirms, 12);
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
  EXPECT_EQ(waits, expected);
  EXPECT_EQ(game.host.variables.GetVariable("walk"), 1);
}

}  // namespace
