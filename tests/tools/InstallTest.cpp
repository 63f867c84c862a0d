// The installed tree and the manual pages: written from the --help texts, rendered by man, and an
// installed player that finds its sample game.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "io/TempDir.h"
#include "scenario/CommandRun.h"

namespace fs = std::filesystem;

namespace {

const std::string kBuild = ZEL_BUILD_DIR;

// Runs of spaces and line breaks as one space, hyphens of every kind as "-".
std::string Flatten(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 3, "\xE2\x80\x90") == 0 || text.compare(i, 3, "\xE2\x88\x92") == 0) {
      out += '-';
      i += 2;
    } else if (text[i] == ' ' || text[i] == '\n' || text[i] == '\t') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += text[i];
    }
  }
  return out;
}

// The help's entries: each indented line's words, flattened.
std::vector<std::string> HelpEntries(const std::string& help) {
  std::vector<std::string> entries;
  std::istringstream in(help);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("  ", 0) == 0) entries.push_back(Flatten(line.substr(line.find_first_not_of(' '))));
  return entries;
}

std::string Rendered(const fs::path& page) {
  const SRun run = RunCommand("MANWIDTH=400 LC_ALL=C.UTF-8 man -l \"" + page.string() + "\" | col -b");
  EXPECT_EQ(run.status, 0) << run.output;
  return Flatten(run.output);
}

void ExpectEveryEntryRendered(const std::string& program, const std::string& page) {
  const SRun help = RunCommand("\"" + kBuild + "/" + program + "\" --help");
  ASSERT_EQ(help.status, 0);
  const std::vector<std::string> entries = HelpEntries(help.output);
  ASSERT_GT(entries.size(), 5u);
  const std::string rendered = Rendered(kBuild + "/man/" + page);
  for (const std::string& entry : entries) {
    // The term and its description, each found as the help writes it.
    const size_t gap = entry.find("  ");
    for (const std::string& part :
         {entry.substr(0, gap), gap == std::string::npos ? "" : entry.substr(gap + 2)})
      EXPECT_NE(rendered.find(Flatten(part)), std::string::npos) << program << ": " << part;
  }
}

}  // namespace

TEST(ManPages, EveryHelpEntryIsInTheRenderedPage) {
  ExpectEveryEntryRendered("zel", "zel.6");
  ExpectEveryEntryRendered("zeltool", "zeltool.1");
  const std::string zel = Rendered(kBuild + "/man/zel.6");
  EXPECT_NE(zel.find("--scaling sharp|smooth"), std::string::npos) << zel;
  EXPECT_NE(zel.find("--text-hook stdout"), std::string::npos);
  EXPECT_NE(zel.find("zel 0.1.0"), std::string::npos) << "the version is filled in";
  EXPECT_EQ(zel.find("@"), std::string::npos) << "no placeholder is left";
}

TEST(Install, PrefixHoldsPlayerToolsSampleGameManualsAndDesktopEntry) {
  const CTempDir temp;
  const fs::path prefix = temp.path / "prefix";
  const SRun install = RunCommand("cmake --install \"" + kBuild + "\" --prefix \"" + prefix.string() + "\"");
  ASSERT_EQ(install.status, 0) << install.output;
  for (const char* file : {"bin/zel", "bin/zeltool", "share/zel/sample-game/system", "share/man/man6/zel.6",
                           "share/man/man1/zeltool.1", "share/applications/zel.desktop",
                           "share/icons/hicolor/scalable/apps/zel.svg"})
    EXPECT_TRUE(fs::exists(prefix / file)) << file;
  std::ifstream desktop(prefix / "share/applications/zel.desktop");
  std::stringstream entry;
  entry << desktop.rdbuf();
  EXPECT_NE(entry.str().find("Exec=zel"), std::string::npos);
  EXPECT_NE(entry.str().find("Icon=zel"), std::string::npos);
  // Without a game folder the installed player plays the installed sample (logos, opening movie) to its
  // title.
  const SRun play = RunCommand("\"" + (prefix / "bin/zel").string() + "\" --headless --frames 600 --trace -");
  EXPECT_EQ(play.status, 0) << play.output;
  EXPECT_NE(play.output.find("\"event\":\"mode\",\"from\":15,\"to\":17"), std::string::npos) << play.output;
  EXPECT_EQ(play.output.find("msgbox"), std::string::npos) << play.output;
}
