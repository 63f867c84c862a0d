#include <fstream>
#include <sstream>

#include "TitleTestGame.h"
#include "io/Trace.h"
#include "modes/LogoMode.h"
#include "platform/VirtualKeys.h"

namespace {

constexpr uint32_t kLogoColour = 0xFFE0E0E0u;

class TitleLogoModeTest : public CTitleTestGame {
 protected:
  void SetUp() override {
    AddSolidImage("logo\\bg.png", 800, 600, kBackground);
    AddSolidImage("logo\\logo.png", 100, 100, kLogoColour);
  }
  // A logo layout with controls "ロゴ0" to "ロゴ<count - 1>", all on the same rectangle.
  void WriteLogos(int count) {
    std::string scn = "BG bg.png\n";
    for (int i = 0; i < count; ++i)
      scn += "CONTROL\nNAME ロゴ" + std::to_string(i) +
             "\nPOS 350 250 450 350\nIMAGE logo.png\nALPHA 100\nCONTROL END\n";
    AddSystemFile("logo\\bg.scn", scn);
  }
  // Updates with delta ticks until the logo number or the engine mode changes; the ticks it took.
  int32_t TicksUntilNext(CLogoMode& logo, int32_t delta) {
    const int32_t number = logo.LogoNumber();
    const int32_t mode = game.Mode();
    int32_t ticks = 0;
    for (int i = 0; i < 1000 && logo.LogoNumber() == number && game.Mode() == mode; ++i) {
      ticks += delta;
      logo.Update(delta, 0, 0);
    }
    return ticks;
  }
};

TEST_F(TitleLogoModeTest, EachLogoShowsForThreeSecondsThenTheTitleFollows) {
  WriteLogos(2);
  UseSettings("");
  CLogoMode logo(game);
  logo.Update(7, 0, 0);
  EXPECT_EQ(logo.Counter(), 7);
  logo.Update(200, 0, 0);
  EXPECT_EQ(logo.Counter(), CLogoMode::kLogoTicks) << "the counter stops at 180";
  EXPECT_EQ(logo.LogoNumber(), 0);
  logo.Update(1, 0, 0);
  EXPECT_EQ(logo.LogoNumber(), 1);
  EXPECT_EQ(logo.Counter(), 0);
  for (int i = 0; i < CLogoMode::kLogoTicks; ++i) logo.Update(1, 0, 0);
  EXPECT_EQ(game.Mode(), 0) << "the last logo stays until the update after its 180 ticks";
  EXPECT_EQ(logo.Update(1, 0, 0), 1);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle) << "no opening movie configured";
}

TEST_F(TitleLogoModeTest, AClickOrKeyEndsTheCurrentLogoAtOnce) {
  WriteLogos(3);
  UseSettings("");
  CLogoMode logo(game);
  logo.Update(5, 0, 0);
  logo.OnLButtonDown(0, 10, 10);
  EXPECT_EQ(logo.Counter(), CLogoMode::kLogoTicks);
  logo.Update(1, 0, 0);
  EXPECT_EQ(logo.LogoNumber(), 1) << "the next logo starts from 0 without a fade-out";
  EXPECT_EQ(logo.Counter(), 0);
  EXPECT_EQ(logo.OnKeyDown(vk::kEscape, 1, 0), 1) << "any key is consumed";
  logo.Update(1, 0, 0);
  EXPECT_EQ(logo.LogoNumber(), 2);
  logo.OnKeyDown(vk::kSpace, 1, 0);
  logo.Update(1, 0, 0);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle);
}

TEST_F(TitleLogoModeTest, ALayoutWithoutLogosShowsTheBackgroundForOneLogosTime) {
  AddSystemFile("logo\\bg.scn", "BG bg.png\n");
  UseSettings("");
  CLogoMode logo(game);
  EXPECT_EQ(TicksUntilNext(logo, 60), 240) << "three updates of 60 reach 180, the fourth ends";
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle);
  EXPECT_EQ(logo.LogoNumber(), 0);
}

TEST_F(TitleLogoModeTest, AMissingLayoutStillEndsInTheTitle) {
  UseSettings("");
  CLogoMode logo(game);
  for (int i = 0; i < 4; ++i) logo.Update(60, 0, 0);
  EXPECT_EQ(game.Mode(), CGameSystem::kModeTitle);
}

TEST_F(TitleLogoModeTest, FadesInAndOutInsideTheLogosTime) {
  WriteLogos(1);
  UseSettings("フェード時間,30\n");
  CLogoMode logo(game);
  const auto drawAt = [&](int32_t counter) {
    logo.Update(counter - logo.Counter(), 0, 0);
    game.Display().MarkAllDirty();
    logo.Draw(0, 0);
  };
  drawAt(0);
  EXPECT_EQ(At(400, 300) & 0xFFFFFFu, 0u);
  drawAt(10);
  EXPECT_EQ(At(400, 300), Darkened(kLogoColour, 170)) << "(30 - 10) * 255 / 30";
  EXPECT_EQ(At(10, 10), Darkened(kBackground, 170));
  drawAt(30);
  EXPECT_EQ(At(400, 300), kLogoColour);
  drawAt(150);
  EXPECT_EQ(At(400, 300), kLogoColour) << "the fade-out starts after 180 - 30";
  drawAt(165);
  EXPECT_EQ(At(400, 300), Darkened(kLogoColour, 127)) << "(165 + 30 - 180) * 255 / 30";
  drawAt(180);
  EXPECT_EQ(At(400, 300) & 0xFFFFFFu, 0u);
}

TEST_F(TitleLogoModeTest, ALongFadeOverlapsBothVeils) {
  WriteLogos(1);
  UseSettings("フェード時間,100\n");
  CLogoMode logo(game);
  logo.Update(85, 0, 0);
  game.Display().MarkAllDirty();
  logo.Draw(0, 0);
  EXPECT_EQ(At(400, 300), Darkened(Darkened(kLogoColour, 38), 12)) << "15 * 255 / 100, then 5 * 255 / 100";
}

TEST_F(TitleLogoModeTest, AnOpeningMovieIsTriedBeforeTheTitleUnlessItIsAPssStream) {
  WriteLogos(1);
  for (const char* movie : {"movie\\op.mpg", "movie\\op.pss"}) {
    const std::string trace = (dir.path / "trace.jsonl").string();
    ASSERT_TRUE(CTrace::Open(trace));
    UseSettings(std::string("オープニングムービー,") + movie + "\n");
    game.SetMode(CGameSystem::kModeLogo);
    CLogoMode logo(game);
    for (int i = 0; i < 4; ++i) logo.Update(60, 0, 0);
    CTrace::Close();
    std::stringstream lines;
    lines << std::ifstream(trace).rdbuf();
    const bool played = lines.str().find("\"event\":\"movie\"") != std::string::npos;
    EXPECT_EQ(played, std::string(movie).ends_with(".mpg")) << lines.str();
    // A movie that starts keeps the screen (mode 15); without one the title follows.
    EXPECT_TRUE(game.Mode() == CGameSystem::kModeTitle || (played && game.Mode() == CGameSystem::kModeMovie))
        << movie << " " << game.Mode();
  }
}

}  // namespace
