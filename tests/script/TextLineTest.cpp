#include <gtest/gtest.h>

#include "FakeScriptHost.h"
#include "script/ScriptParser.h"
#include "script/ScriptRunner.h"
#include "script/TextLine.h"
#include "script/WaitCommand.h"

namespace {

// Packed message characters read the same through every route: their text without an object, and
// the object made on first request, which keeps the size, colour and source line they stood in.
TEST(TextLine, PackedCharactersKeepTextStyleAndLine) {
  auto list = ParseScript("a\x82\xa0<FONT SIZE=150 COLOR=FF0000>b<WAIT TIME=3>\r\n\x82\xa2");
  const CScriptLine& first = *list->GetLine(0);
  ASSERT_EQ(first.GetItemCount(), 4);
  EXPECT_EQ(first.GetItemText(0), "a");
  EXPECT_EQ(first.GetItemText(1), "\x82\xa0");
  EXPECT_EQ(first.GetItemText(2), "b");
  EXPECT_EQ(first.GetItemText(3), "");
  EXPECT_EQ(first.GetItemText(4), "");
  const CScriptCommand* b = first.GetItem(2);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->IsCharacter(), 1);
  EXPECT_EQ(b->GetText(), "b");
  EXPECT_EQ(b->GetSizePercent(), 150);
  EXPECT_EQ(b->GetColor(), 0xFF0000);
  EXPECT_EQ(first.GetItem(2), b) << "the object is made once";
  EXPECT_EQ(first.GetItem(0)->GetSizePercent(), 100);
  EXPECT_EQ(first.GetItem(0)->GetColor(), -1);
  EXPECT_NE(dynamic_cast<const CWaitCommand*>(first.GetItem(3)), nullptr);
  const CScriptCommand* i = list->GetLine(1)->GetItem(0);
  EXPECT_EQ(i->GetText(), "\x82\xa2");
  EXPECT_EQ(i->GetSourceLine(), 2);
  EXPECT_EQ(i->GetSizePercent(), 150);
}

// Items can be inserted, detached and removed around packed characters without losing their order.
TEST(TextLine, EditingAroundPackedCharacters) {
  auto list = ParseScript("xyz");
  CScriptLine& line = *list->GetLine(0);
  line.InsertItem(1, std::make_unique<CWaitCommand>(CScriptParams({})));
  ASSERT_EQ(line.GetItemCount(), 4);
  EXPECT_EQ(line.GetItemText(0) + line.GetItemText(2) + line.GetItemText(3), "xyz");
  std::unique_ptr<CScriptCommand> z = line.DetachItem(3);
  ASSERT_NE(z, nullptr);
  EXPECT_EQ(z->GetText(), "z");
  line.RemoveItem(0);
  ASSERT_EQ(line.GetItemCount(), 2);
  EXPECT_EQ(line.GetItemText(1), "y");
  EXPECT_EQ(line.DetachItem(5), nullptr);
}

// Running a packed character prints it in its style, as its object would.
TEST(TextLine, RunningAPackedCharacterPrintsIt) {
  SScriptFixture f;
  auto list = ParseScript("<FONT SIZE=80 COLOR=00FF00>q");
  list->GetLine(0)->RunItem(0, f.runner);
  EXPECT_EQ(f.host.page, "q");
  ASSERT_EQ(f.host.log.size(), 1u);
  EXPECT_EQ(f.host.log[0], "text q/ 80 65280");
}

}  // namespace
