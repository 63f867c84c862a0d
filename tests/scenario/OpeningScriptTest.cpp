// The opening script of a test game played headless from start-up: any click or key ends it at
// once, and the title follows, or first the opening movie when the settings name one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "HeadlessPlay.h"
#include "io/TempDir.h"

namespace {

using namespace headlessplay;

constexpr const char* kToTitle = "\"event\":\"mode\",\"from\":";

// The frame at which the opening's first page waits for a click.
long OpeningFirstPage(const fs::path& game, const fs::path& dir) {
  const SPlay play = PlayFromStartUp(game, dir, "", 400);
  const int page = play.Find({"\"event\":\"click\"", Utf8(u8"一ページ目")});
  EXPECT_GE(page, 0);
  return page < 0 ? 0 : play.Frame(page);
}

}  // namespace

TEST(OpeningScript, AnyClickOrKeyEndsItAndTheTitleFollows) {
  const CTempDir temp;
  const fs::path game = BuildTestGame("opening", temp.path);
  ASSERT_FALSE(game.empty());
  const long f = OpeningFirstPage(game, temp.path);
  // Mid-page as well as on the waiting page: the text of page one is still appearing at f - 20.
  for (const std::string verb : {"click 400 300", "rclick 400 300", "key SPACE", "key ESCAPE", "key A"}) {
    for (const long at : {f - 20, f + 5}) {
      const SPlay play = PlayFromStartUp(game, temp.path, At(at, verb), at + 40);
      const int title = play.Find({kToTitle, "\"to\":17"});
      ASSERT_GE(title, 0) << verb << " at " << at;
      EXPECT_EQ(play.Frame(title), at) << verb << " at " << at;
      EXPECT_LT(play.Find({Utf8(u8"二ページ目")}), 0) << verb << ": the opening went no further";
      EXPECT_LT(play.Find({"\"event\":\"menu\""}), 0) << verb << ": no menu opened";
      EXPECT_EQ(play.Count("\"msgbox\""), 0);
    }
  }
}

TEST(OpeningScript, TheEndOfTheOpeningPlaysTheOpeningMovieBeforeTheTitle) {
  const CTempDir temp;
  const fs::path game = BuildTestGame("opening", temp.path);
  ASSERT_FALSE(game.empty());
  const long f = OpeningFirstPage(game, temp.path);
  // The settings name a movie: the system archive is packed again with the extra row.
  const std::string zeltool = "\"" + std::string(ZEL_BUILD_DIR) + "/zeltool\"";
  const fs::path unpacked = temp.path / "unpacked";
  ASSERT_EQ(RunCommand(zeltool + " arc extract \"" + (game / "system").string() + "\" \"" +
                       unpacked.string() + "\"")
                .status,
            0);
  std::ofstream(unpacked / "setting.csv", std::ios::app) << "オープニングムービー,movie\\op.mpg\n";
  ASSERT_EQ(
      RunCommand(zeltool + " arc pack \"" + (game / "system").string() + "\" \"" + unpacked.string() + "\"")
          .status,
      0);
  const SPlay play = PlayFromStartUp(game, temp.path, At(f + 5, "click 400 300"), f + 60);
  const int movie = play.Find({"\"event\":\"movie\""});
  ASSERT_GE(movie, 0) << "the movie was tried";
  EXPECT_EQ(play.Frame(movie), f + 5);
  const int title = play.Find({kToTitle, "\"to\":17"});
  EXPECT_TRUE(title < 0 || title > movie) << "the movie comes before the title";
}
