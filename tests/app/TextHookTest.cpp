// The page text readers outside the game receive: the text hook's JSON line, the clipboard copy
// with its readings, and the screenshot file names.
#include <gtest/gtest.h>

#include <string>

#include "app/CommandLine.h"
#include "app/Screenshot.h"
#include "app/TextHook.h"
#include "ui/MessagePage.h"

namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// 今日は漢字(かんじ)の / 読(よ)み, spoken by 先生, with a quote and a backslash in it.
CMessagePage RubyPage() {
  CMessagePage page;
  page.speaker = "先生";
  for (const char* c : {"今", "日", "は"}) page.lines[0].emplace_back(c, "", 100, 0);
  page.lines[0].emplace_back("漢字", "かんじ", 100, 0);
  page.lines[0].emplace_back("\"", "", 100, 0);
  page.lines[1].emplace_back("読", "よ", 150, 0xFFFF0000);
  page.lines[1].emplace_back("\\", "", 100, 0);
  return page;
}

}  // namespace

TEST(PageText, ReadingsFollowTheirBaseInParenthesesOnlyWhenAskedFor) {
  const CMessagePage page = RubyPage();
  EXPECT_EQ(page.Text(), "今日は漢字\"\n読\\");
  EXPECT_EQ(page.Text(true), "今日は漢字(かんじ)\"\n読(よ)\\");
  EXPECT_EQ(page.Ruby(), (std::vector<CMessagePage::SRuby>{{"漢字", "かんじ"}, {"読", "よ"}}));
  CMessagePage empty;
  EXPECT_EQ(empty.Text(true), "");
  EXPECT_TRUE(empty.Ruby().empty());
}

TEST(TextHook, PageLineIsOneJsonObjectInUtf8WithEscapes) {
  EXPECT_EQ(CTextHook::PageLine(RubyPage(), "scenario\\main.adv", 12),
            U8(u8"{\"speaker\":\"先生\",\"text\":\"今日は漢字\\\"\\n読\\\\\",\"ruby\":[{\"base\":\"漢字\","
               u8"\"reading\":"
               u8"\"かんじ\"},{\"base\":\"読\",\"reading\":\"よ\"}],\"script\":\"scenario\\\\main.adv\","
               u8"\"line\":12}"));
  EXPECT_EQ(CTextHook::PageLine(CMessagePage(), "", 0),
            "{\"speaker\":\"\",\"text\":\"\",\"ruby\":[],\"script\":\"\",\"line\":0}");
}

TEST(Screenshot, FileNameCarriesTitleAndTimeWithoutPathSeparators) {
  std::tm time{};
  time.tm_year = 2026 - 1900;
  time.tm_mon = 11;
  time.tm_mday = 8;
  time.tm_hour = 7;
  time.tm_min = 5;
  time.tm_sec = 9;
  EXPECT_EQ(CScreenshot::FileName(U8(u8"読み/テスト"), time, 1), U8(u8"読み_テスト 2026-12-08 07-05-09.png"));
  EXPECT_EQ(CScreenshot::FileName("a\\b\tc", time, 3), "a_b_c 2026-12-08 07-05-09 3.png");
  EXPECT_EQ(CScreenshot::FileName("", time, 1), "zel 2026-12-08 07-05-09.png");
  EXPECT_EQ(CScreenshot::FileName("..", time, 2), "zel 2026-12-08 07-05-09 2.png");
}

TEST(CommandLine, ScalingAndTextHookTakeOnlyTheirValues) {
  std::string error;
  CCommandLine line;
  ASSERT_TRUE(line.Parse({"--scaling", "smooth", "--text-hook", "stdout"}, error)) << error;
  EXPECT_EQ(line.scaling, EScaling::kSmooth);
  EXPECT_TRUE(line.textHook);
  CCommandLine none;
  ASSERT_TRUE(none.Parse({}, error));
  EXPECT_FALSE(none.scaling.has_value()) << "without the option the kept choice applies";
  EXPECT_FALSE(none.textHook);
  for (std::vector<std::string> bad : {std::vector<std::string>{"--scaling", "nearest"},
                                       {"--scaling"},
                                       {"--text-hook", "stderr"},
                                       {"--text-hook"}}) {
    CCommandLine rejected;
    EXPECT_FALSE(rejected.Parse(bad, error)) << bad[0];
    EXPECT_NE(error.find(bad[0]), std::string::npos) << error;
  }
}
