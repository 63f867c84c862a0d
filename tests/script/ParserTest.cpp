#include <gtest/gtest.h>

#include "io/PackMemFile.h"
#include "script/ParseListener.h"
#include "script/ScriptParser.h"
#include "script/ScriptRuby.h"
#include "script/SelectLine.h"
#include "script/SoundCommand.h"
#include "script/WaitCommand.h"

namespace {

// The texts of a line's items, with commands as "<>" and tabs as "\t".
std::string ItemTexts(const CScriptLine& line) {
  std::string out;
  for (int32_t i = 0; i < line.GetItemCount(); ++i) {
    const CScriptCommand* item = line.GetItem(i);
    if (item->IsCharacter() && item->GetText().empty())
      out += "\\t";
    else if (!item->IsCharacter())
      out += "<>";
    else
      out += item->GetText();
  }
  return out;
}

std::string Depths(const CScriptCommandList& list) {
  std::string out;
  for (int32_t i = 0; i < list.GetCount(); ++i) out += std::to_string(list.GetLine(i)->GetDepth()) + " ";
  return out;
}

struct SRecorder : IParseListener {
  std::vector<std::string> events;
  void OnUnknownTag(const std::string& name, int32_t line) override {
    events.push_back("unknown " + name + " " + std::to_string(line));
  }
  void OnStrayEnd(int32_t line) override { events.push_back("end " + std::to_string(line)); }
  void OnUnclosedBlock(int32_t line) override { events.push_back("unclosed " + std::to_string(line)); }
};

TEST(ScriptParser, EmptyInputGivesOneEmptyTextLine) {
  auto list = ParseScript(std::string_view());
  ASSERT_EQ(list->GetCount(), 1);
  EXPECT_EQ(list->GetLine(0)->IsTextLine(), 1);
  EXPECT_EQ(list->GetLine(0)->GetItemCount(), 0);
}

TEST(ScriptParser, InlineCommandSitsBetweenCharacters) {
  auto list = ParseScript("abc<WAIT TIME=30>def");
  ASSERT_EQ(list->GetCount(), 1);
  EXPECT_EQ(ItemTexts(*list->GetLine(0)), "abc<>def");
  auto* wait = dynamic_cast<CWaitCommand*>(list->GetLine(0)->GetItem(3));
  ASSERT_NE(wait, nullptr);
  EXPECT_EQ(wait->GetTime(), 30);
}

TEST(ScriptParser, LinesTabsCarriageReturnsAndDoubleByteCharacters) {
  // "表" is 0x95 0x5C: its trail byte is a backslash and must stay with it.
  auto list = ParseScript("あ表\tx\r\n\r\n;c");
  ASSERT_EQ(list->GetCount(), 3);
  const CScriptLine& first = *list->GetLine(0);
  ASSERT_EQ(first.GetItemCount(), 4);
  EXPECT_EQ(first.GetItem(0)->GetText(), "\x82\xA0");
  EXPECT_EQ(first.GetItem(1)->GetText(), "\x95\x5C");
  EXPECT_EQ(ItemTexts(first), "あ表\\tx");
  EXPECT_EQ(list->GetLine(1)->GetItemCount(), 0);
  EXPECT_EQ(ItemTexts(*list->GetLine(2)), ";c");
}

TEST(ScriptParser, ZeroByteEndsTheScript) {
  auto list = ParseScript(std::string_view("ab\0<IF>cd", 9));
  ASSERT_EQ(list->GetCount(), 1);
  EXPECT_EQ(ItemTexts(*list->GetLine(0)), "ab");
}

TEST(ScriptParser, QuotedValuesKeepSpacesEqualsAndBrackets) {
  auto list = ParseScript("<SOUND SRC=\"a b=c>.ogg\" LOOP=ON CHANNEL=2>");
  auto* sound = dynamic_cast<CSoundCommand*>(list->GetLine(0)->GetItem(0));
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->GetSource(), "a b=c>.ogg");
  EXPECT_EQ(sound->GetTitle(), "a b=c>.ogg");
  EXPECT_EQ(sound->GetDetail(), "チャンネル：2　繰り返し");
}

TEST(ScriptParser, TagSpanningLinesIsOneTagAndCountsSourceLines) {
  SRecorder recorder;
  auto list = ParseScript("x<WAIT\nTIME=5\n>y\n<NOPE>", &recorder);
  ASSERT_EQ(list->GetCount(), 2);
  EXPECT_EQ(ItemTexts(*list->GetLine(0)), "x<>y");
  EXPECT_EQ(list->GetLine(0)->GetItem(1)->GetSourceLine(), 1);
  EXPECT_EQ(list->GetLine(1)->GetSourceLine(), 4);
  EXPECT_EQ(recorder.events, std::vector<std::string>{"unknown NOPE 4"});
}

TEST(ScriptParser, BlockTagReplacesItsLine) {
  auto list = ParseScript("text <SELECT TEXT=a COND=\"x == 1\"> more\nbody\n<END>");
  ASSERT_EQ(list->GetCount(), 3);
  auto* select = dynamic_cast<CSelectLine*>(list->GetLine(0));
  ASSERT_NE(select, nullptr);
  EXPECT_EQ(select->GetChoiceText(), "a");
  EXPECT_EQ(select->GetCondition(), "x == 1");
  EXPECT_EQ(select->GetItemCount(), 0);
  EXPECT_EQ(Depths(*list), "1 0 -1 ");
}

TEST(ScriptParser, EndClosesOnlyOpenBlocksAndKeepsItsItems) {
  SRecorder recorder;
  auto list = ParseScript("<END>a\n<LOOP>\nb<END>c\n<END>", &recorder);
  EXPECT_EQ(Depths(*list), "0 1 -1 0 ");
  EXPECT_EQ(ItemTexts(*list->GetLine(2)), "bc");
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"end 1", "end 4"}));
}

TEST(ScriptParser, UnclosedBlocksAreClosedAtTheEnd) {
  SRecorder recorder;
  auto list = ParseScript("<LOOP>\n<IF COND=a>\nx", &recorder);
  EXPECT_EQ(Depths(*list), "1 1 0 -1 -1 ");
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"unclosed 2", "unclosed 1"}));
}

TEST(ScriptParser, NestingStaysBalancedOnCrowdedBlockLines) {
  // A second block tag on a block line replaces the first, which then no longer counts as open;
  // a second END on a line and an END on an opening line are dropped; a block tag on a closing
  // line keeps the closing line.
  SRecorder recorder;
  auto list = ParseScript("<IF COND=a><LOOP>\n<END><END>\n<LOOP><END>\nx<END><LABEL LABEL=z>\n", &recorder);
  EXPECT_EQ(Depths(*list), "1 -1 1 -1 0 0 ");
  EXPECT_EQ(list->GetLine(4)->GetLabel(), "z");
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"end 2", "end 3"}));
}

TEST(ScriptParser, FileEndingInsideATagStillMakesTheCommand) {
  auto list = ParseScript("a<SOUND SRC=x.ogg");
  ASSERT_EQ(list->GetLine(0)->GetItemCount(), 2);
  auto* sound = dynamic_cast<CSoundCommand*>(list->GetLine(0)->GetItem(1));
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->GetSource(), "x.ogg");
}

TEST(ScriptParser, FontStateColoursAndSizesUntilReset) {
  auto list = ParseScript("a<FONT COLOR=#ff0000 SIZE=150>b\nc<FONT COLOR=DEFAULT>d<RUBY TEXT=漢 RUBY=かん>");
  const CScriptLine& first = *list->GetLine(0);
  const CScriptLine& second = *list->GetLine(1);
  EXPECT_EQ(first.GetItem(0)->GetColor(), -1);
  EXPECT_EQ(first.GetItem(0)->GetSizePercent(), 100);
  EXPECT_EQ(first.GetItem(1)->GetColor(), 0xFF0000);
  EXPECT_EQ(first.GetItem(1)->GetSizePercent(), 150);
  EXPECT_EQ(second.GetItem(0)->GetColor(), 0xFF0000);
  EXPECT_EQ(second.GetItem(1)->GetColor(), -1);
  EXPECT_EQ(second.GetItem(1)->GetSizePercent(), 150);
  auto* ruby = dynamic_cast<CScriptRuby*>(second.GetItem(2));
  ASSERT_NE(ruby, nullptr);
  EXPECT_EQ(ruby->GetText(), "漢");
  EXPECT_EQ(ruby->GetRuby(), "かん");
  EXPECT_EQ(ruby->GetSizePercent(), 150);
}

TEST(ScriptParser, TagNamesAreCaseSensitiveAndLaterKeysWin) {
  auto list = ParseScript("<wait TIME=3><WAIT TIME=3 TIME=7 BARE>");
  ASSERT_EQ(list->GetLine(0)->GetItemCount(), 1);
  EXPECT_EQ(dynamic_cast<CWaitCommand*>(list->GetLine(0)->GetItem(0))->GetTime(), 7);
}

TEST(ScriptParser, FileIsReadInPiecesWithTheSameResult) {
  // A tag and a double-byte character straddle the 4096-byte pieces of the reader.
  std::string text(4094, 'a');
  text += "<WAIT TIME=12>\n";
  text += std::string(4096 * 2 - text.size() - 1, 'b') + "あ<SOUND SRC=\"q r.ogg\">";
  CPackMemFile file(std::vector<uint8_t>(text.begin(), text.end()));
  auto fromFile = ParseScript(file);
  auto fromMemory = ParseScript(text);
  ASSERT_EQ(fromFile->GetCount(), 2);
  ASSERT_EQ(fromMemory->GetCount(), 2);
  for (int32_t line = 0; line < 2; ++line)
    EXPECT_EQ(ItemTexts(*fromFile->GetLine(line)), ItemTexts(*fromMemory->GetLine(line)));
  EXPECT_EQ(dynamic_cast<CWaitCommand*>(fromFile->GetLine(0)->GetItem(4094))->GetTime(), 12);
  const CScriptLine& second = *fromFile->GetLine(1);
  EXPECT_EQ(second.GetItem(second.GetItemCount() - 2)->GetText(), "あ");
  auto* sound = dynamic_cast<CSoundCommand*>(second.GetItem(second.GetItemCount() - 1));
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->GetSource(), "q r.ogg");
}

TEST(ScriptParser, TextLineLayoutAdvancesTabsToStops) {
  auto list = ParseScript("\t<WAIT>\t");
  CScriptLine& line = *list->GetLine(0);
  line.Layout();
  // The wait's box: "停止" is 32 wide, "0 フレーム" 80, so 80 + 40 by 16 + 8 + 16 + 4. The first
  // tab is a whole stop; the second, at 152, fills up to 160.
  EXPECT_EQ(line.GetItem(0)->GetSize().width, 32);
  EXPECT_EQ(line.GetItem(1)->GetSize().width, 120);
  EXPECT_EQ(line.GetItem(1)->GetSize().height, 44);
  EXPECT_EQ(line.GetItem(2)->GetSize().width, 8);
  EXPECT_EQ(line.GetSize().width, 168);
  EXPECT_EQ(line.GetSize().height, 44);
}

}  // namespace

namespace {

TEST(ScriptLines, TextLinesEditItemsAndBlockLinesRefuseThem) {
  auto list = ParseScript("ab\n<LOOP>\n<END>");
  CScriptLine& text = *list->GetLine(0);
  EXPECT_EQ(text.InsertItem(1, ParseScript("x")->GetLine(0)->DetachItem(0)), 1);
  EXPECT_EQ(ItemTexts(text), "axb");
  auto detached = text.DetachItem(0);
  ASSERT_NE(detached, nullptr);
  EXPECT_EQ(detached->GetText(), "a");
  text.RemoveItem(5);  // out of range: nothing
  text.RemoveItem(1);
  EXPECT_EQ(ItemTexts(text), "x");
  CScriptLine& loop = *list->GetLine(1);
  EXPECT_EQ(loop.InsertItem(0, std::move(detached)), 0);
  EXPECT_EQ(loop.GetItemCount(), 0);
  EXPECT_EQ(loop.DetachItem(0), nullptr);
}

TEST(ScriptLines, DescriptionBoxFollowsTheInstalledMeasure) {
  CScriptCommand::SetTextMeasure([](const std::string& text) {
    return SItemSize{static_cast<int32_t>(text.size()) * 10, 30};
  });
  auto list = ParseScript("<SPEED TIME=4><CLEAR>");
  // "速度変更" 8 bytes, "速度：4" 7 bytes: 80 + 40 wide, 30 + 8 + 30 + 4 high; a title alone: 38.
  EXPECT_EQ(list->GetLine(0)->GetItem(0)->GetSize().width, 120);
  EXPECT_EQ(list->GetLine(0)->GetItem(0)->GetSize().height, 72);
  EXPECT_EQ(list->GetLine(0)->GetItem(1)->GetSize().height, 38);
  CScriptCommand::SetTextMeasure(nullptr);
  EXPECT_EQ(ParseScript("<CLEAR>")->GetLine(0)->GetItem(0)->GetSize().height, 32);
}

}  // namespace
