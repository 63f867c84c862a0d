#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessInput.h"
#include "platform/headless/InputScript.h"

namespace {
using EVerb = SInputCommand::EVerb;

std::vector<SPlatformEvent> Drain(CHeadlessInput& input) {
  std::vector<SPlatformEvent> events;
  SPlatformEvent e;
  while (input.PollEvent(e)) events.push_back(e);
  return events;
}
}  // namespace

TEST(InputScript, ParsesEveryVerbAndKeepsFileOrderWithinAFrame) {
  CInputScript script;
  std::string error;
  ASSERT_TRUE(
      script.Parse("# comment\n\n3 click 10 20\n2 key F12\n3 wheel -120\n3 keydown CONTROL\r\n"
                   "5 type 山田 太郎\n5 answer no\n9 close\n",
                   error))
      << error;
  EXPECT_TRUE(script.TakeFrame(1).empty());
  auto two = script.TakeFrame(2);
  ASSERT_EQ(two.size(), 1u);
  EXPECT_EQ(two[0].key, vk::kF1 + 11);
  auto three = script.TakeFrame(3);
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[0].verb, EVerb::kClick);
  EXPECT_EQ(three[0].x, 10);
  EXPECT_EQ(three[1].delta, -120);
  EXPECT_EQ(three[2].key, vk::kControl);
  auto five = script.TakeFrame(5);
  ASSERT_EQ(five.size(), 2u);
  EXPECT_EQ(five[0].text, "山田 太郎");  // UTF-8 as written, the rest of the line
  EXPECT_FALSE(five[1].yes);
  EXPECT_FALSE(script.IsExhausted());
  EXPECT_EQ(script.TakeFrame(100).size(), 1u);
  EXPECT_TRUE(script.IsExhausted());
}

TEST(InputScript, RejectsMalformedLinesWithTheirLineNumber) {
  const char* bad[] = {"0 click 1 2",   "x click 1 2", "1 jump 1 2",     "1 click 1",  "1 click 1 2 3",
                       "1 key CONTROL", "1 key F25",   "1 answer maybe", "1 wheel up", "1 close now"};
  for (const char* line : bad) {
    CInputScript script;
    std::string error;
    EXPECT_FALSE(script.Parse(std::string("# first\n") + line + "\n", error)) << line;
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
  }
}

TEST(HeadlessInput, HeldKeysRepeatEveryFrameWithTheRepeatFlag) {
  CInputScript script;
  std::string error;
  ASSERT_TRUE(script.Parse("1 keydown CONTROL\n1 click 5 6\n3 keyup CONTROL\n", error));
  CHeadlessDialogs dialogs(true);
  CHeadlessInput input(std::move(script), dialogs);
  input.BeginFrame(1);
  auto first = Drain(input);
  ASSERT_EQ(first.size(), 4u);
  EXPECT_EQ(first[0].type, EEventType::kKeyDown);
  EXPECT_EQ(first[0].keyFlags & vk::kFlagRepeat, 0u);
  EXPECT_EQ(first[1].type, EEventType::kMouseMove);
  EXPECT_EQ(first[2].type, EEventType::kLButtonDown);
  EXPECT_EQ(first[2].mouseFlags, 0x0001u | 0x0008u) << "left button and Ctrl";
  EXPECT_EQ(first[3].type, EEventType::kLButtonUp);
  EXPECT_TRUE(input.IsKeyDown(vk::kControl));
  EXPECT_EQ((SPoint{5, 6}), input.GetCursorPos());

  input.BeginFrame(2);
  auto second = Drain(input);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].key, vk::kControl);
  EXPECT_NE(second[0].keyFlags & vk::kFlagRepeat, 0u);

  input.BeginFrame(3);
  auto third = Drain(input);
  ASSERT_EQ(third.size(), 2u);  // the last repeat, then the release
  EXPECT_EQ(third[1].type, EEventType::kKeyUp);
  EXPECT_FALSE(input.IsKeyDown(vk::kControl));
}

// "type" goes into the next text field: it waits while none is open, and each text fills one field,
// followed by Return to confirm it.
TEST(HeadlessInput, TypedTextWaitsForTheNextTextFieldAndConfirmsIt) {
  CInputScript script;
  std::string error;
  ASSERT_TRUE(script.Parse("1 type first\n1 type second\n3 type third\n", error)) << error;
  CHeadlessDialogs dialogs(true);
  CHeadlessInput input(std::move(script), dialogs);
  input.BeginFrame(1);
  EXPECT_TRUE(Drain(input).empty()) << "no field is open yet";
  input.StartTextInput({10, 10, 50, 30});
  auto first = Drain(input);
  ASSERT_EQ(first.size(), 3u);
  EXPECT_EQ(first[0].type, EEventType::kTextInput);
  EXPECT_EQ(first[0].text, "first");
  EXPECT_EQ(first[1].type, EEventType::kKeyDown);
  EXPECT_EQ(first[1].key, vk::kReturn);
  EXPECT_EQ(first[2].type, EEventType::kKeyUp);
  input.StopTextInput();
  input.BeginFrame(2);
  EXPECT_TRUE(Drain(input).empty());
  input.StartTextInput({10, 10, 50, 30});
  auto second = Drain(input);
  ASSERT_EQ(second.size(), 3u);
  EXPECT_EQ(second[0].text, "second");
  // A field still open takes the next text at once.
  input.BeginFrame(3);
  auto third = Drain(input);
  ASSERT_EQ(third.size(), 3u);
  EXPECT_EQ(third[0].text, "third");
}

TEST(HeadlessDialogs, ScriptedAnswersComeFirstThenTheDefault) {
  CHeadlessDialogs dialogs(false);
  dialogs.QueueAnswer(true);
  EXPECT_EQ(dialogs.MessageBox("c", "t", true), EAnswer::kYes);
  EXPECT_EQ(dialogs.MessageBox("c", "t", true), EAnswer::kNo);
  EXPECT_EQ(dialogs.MessageBox("c", "t", false), EAnswer::kOk);
  EXPECT_EQ(dialogs.ShownCount(), 3);
}
