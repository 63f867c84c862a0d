#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "ui/TextInputBuffer.h"

using dialogtest::U8;

namespace {

// The field starts empty and unselected, as after typing into an empty dialog.
CTextInputBuffer Empty(size_t limit) {
  CTextInputBuffer buffer;
  buffer.Reset("", limit);
  return buffer;
}

}  // namespace

TEST(TextInputBufferTest, ByteLimitCountsShiftJisAndNeverSplitsACharacter) {
  // Five two-byte characters into a field of 8: the fifth would be the ninth and tenth byte.
  CTextInputBuffer name = Empty(8);
  EXPECT_FALSE(name.Type(U8(u8"あいうえお")));
  EXPECT_EQ(name.Text(), "あいうえ");
  EXPECT_EQ(name.Text().size(), 8u);

  // One byte left: a two-byte character does not fit, a one-byte character does.
  CTextInputBuffer odd = Empty(8);
  EXPECT_TRUE(odd.Type("abcdefg"));
  EXPECT_FALSE(odd.Type(U8(u8"漢")));
  EXPECT_EQ(odd.Text(), "abcdefg");
  EXPECT_TRUE(odd.Type("h"));
  EXPECT_FALSE(odd.Type("i"));
  EXPECT_EQ(odd.Text(), "abcdefgh");

  // Typing stops at the first character that does not fit, so what follows it is not taken either.
  CTextInputBuffer stop = Empty(3);
  EXPECT_FALSE(stop.Type(U8(u8"aあbc")));
  EXPECT_EQ(stop.Text(), "aあ");

  // Half-width katakana are one byte each in Shift JIS, though three in UTF-8.
  CTextInputBuffer kana = Empty(8);
  EXPECT_FALSE(kana.Type(U8(u8"ｱｲｳｴｵｶｷｸｹ")));
  EXPECT_EQ(kana.Text(), "ｱｲｳｴｵｶｷｸ");
}

TEST(TextInputBufferTest, CharactersShiftJisCannotHoldAreRefused) {
  CTextInputBuffer buffer = Empty(32);
  EXPECT_FALSE(
      buffer.Type("a\xF0\x9F\x98\x80"
                  "b"));                      // an emoji
  EXPECT_FALSE(buffer.Type("\xED\x95\x9C"));  // Hangul
  EXPECT_FALSE(buffer.Type("\t\n"));          // control characters of a paste
  EXPECT_FALSE(buffer.Type("\xFF"));          // not UTF-8 at all
  EXPECT_EQ(buffer.Text(), "ab");
  EXPECT_TRUE(buffer.Type(U8(u8"①～")));  // characters of code page 932 beyond plain JIS
  EXPECT_EQ(buffer.Text(), "ab①～");
}

TEST(TextInputBufferTest, InitialTextIsCutAtTheLimitAndSelected) {
  CTextInputBuffer buffer;
  buffer.Reset("あいうえお", 9);
  EXPECT_EQ(buffer.Text(), "あいうえ");  // the ninth byte would be half of "お"
  EXPECT_TRUE(buffer.IsAllSelected());
  EXPECT_TRUE(buffer.Type("x"));  // typing replaces the selection
  EXPECT_EQ(buffer.Text(), "x");

  buffer.Reset("名前", 8);
  buffer.Backspace();  // removes the selection whole
  EXPECT_EQ(buffer.Text(), "");
  EXPECT_FALSE(buffer.IsAllSelected());

  buffer.Reset("名前", 8);
  buffer.MoveLeft();  // keeps the text, caret at its start
  EXPECT_FALSE(buffer.IsAllSelected());
  buffer.Type("A");
  EXPECT_EQ(buffer.Text(), "A名前");

  buffer.Reset("", 8);
  EXPECT_FALSE(buffer.IsAllSelected());
}

TEST(TextInputBufferTest, EditingKeysMoveByWholeCharacters) {
  // "ソ" and "表" end in 0x5C, the byte of "\": a backward step must not take it for a character.
  CTextInputBuffer buffer = Empty(32);
  buffer.Type(U8(u8"aソ表b"));
  ASSERT_EQ(buffer.Text(), "aソ表b");
  buffer.MoveLeft();
  buffer.Backspace();
  EXPECT_EQ(buffer.Text(), "aソb");
  EXPECT_EQ(buffer.Caret(), 3u);
  buffer.Backspace();
  EXPECT_EQ(buffer.Text(), "ab");
  buffer.MoveHome();
  buffer.Backspace();  // nothing before the caret
  buffer.Delete();
  EXPECT_EQ(buffer.Text(), "b");
  buffer.Type(U8(u8"漢"));
  buffer.MoveEnd();
  buffer.MoveRight();  // nothing after the end
  EXPECT_EQ(buffer.Caret(), buffer.Text().size());
  buffer.MoveHome();
  buffer.MoveRight();
  EXPECT_EQ(buffer.Caret(), 2u);
  buffer.Delete();
  EXPECT_EQ(buffer.Text(), "漢");
}

TEST(TextInputBufferTest, CompositionIsShownAtTheCaretUntilCommitted) {
  CTextInputBuffer buffer;
  buffer.Reset("前", 8);
  buffer.SetComposition(U8(u8"にほ"), 1);
  EXPECT_TRUE(buffer.IsComposing());
  EXPECT_EQ(buffer.Text(), "") << "composing replaces the selection";
  EXPECT_EQ(buffer.Composition(), "にほ");
  EXPECT_EQ(buffer.CompositionCaret(), 2u);  // one character in, in Shift JIS bytes
  buffer.SetComposition(U8(u8"にほん"), 3);
  EXPECT_EQ(buffer.CompositionCaret(), 6u);
  // The input method commits: the text arrives and the composition ends.
  EXPECT_TRUE(buffer.Type(U8(u8"日本")));
  EXPECT_FALSE(buffer.IsComposing());
  EXPECT_EQ(buffer.Text(), "日本");
  // A composition cancelled with an empty update leaves the text as it was.
  buffer.SetComposition(U8(u8"ご"), 1);
  buffer.SetComposition("", 0);
  EXPECT_FALSE(buffer.IsComposing());
  EXPECT_EQ(buffer.Text(), "日本");
  // A composition of characters Shift JIS lacks is still shown, and refused when committed.
  buffer.SetComposition("\xED\x95\x9C", 1);
  EXPECT_EQ(buffer.Composition(), "?");
  EXPECT_FALSE(buffer.Type("\xED\x95\x9C"));
  EXPECT_EQ(buffer.Text(), "日本");
}
