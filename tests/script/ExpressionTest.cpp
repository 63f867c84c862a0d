#include <gtest/gtest.h>

#include "platform/Random.h"
#include "script/ExpressionEvaluator.h"
#include "script/GameClock.h"
#include "script/VariableStore.h"

namespace {

class ExpressionTest : public ::testing::Test {
 protected:
  CVariableStore vars;
  CGameClock clock;
  CRandom random;
  CExpressionEvaluator evaluator{vars, clock, random};

  int32_t Eval(const char* text, int32_t empty = 0) { return evaluator.Evaluate(text, empty); }
};

TEST_F(ExpressionTest, EmptyExpressionsGiveTheirEmptyResult) {
  EXPECT_EQ(Eval("", 1), 1);
  EXPECT_EQ(Eval("  \t\r\n", 0), 0);
  EXPECT_EQ(Eval("()", 7), 7);
}

TEST_F(ExpressionTest, PrecedenceFollowsTheOperatorTable) {
  EXPECT_EQ(Eval("1 + 2 << 3"), 24);  // "<<" binds like "+"
  EXPECT_EQ(Eval("2 + 3 * 4"), 14);
  EXPECT_EQ(Eval("(2 + 3) * 4"), 20);
  EXPECT_EQ(Eval("10 - 4 - 3"), 3);
  EXPECT_EQ(Eval("100 / 10 / 5"), 2);
  EXPECT_EQ(Eval("1 | 6 & 3"), 3);  // & before ^ before |
  EXPECT_EQ(Eval("1 | 3 ^ 2"), 1);
  EXPECT_EQ(Eval("3 < 4 == 1"), 1);
  EXPECT_EQ(Eval("1 || 0 && 0"), 1);
  EXPECT_EQ(Eval("-7 / 2"), -3);
  EXPECT_EQ(Eval("-7 % 3"), -1);
  EXPECT_EQ(Eval("!0 + ~0"), 0);
  EXPECT_EQ(Eval("-8 >> 1"), -4);
  EXPECT_EQ(Eval("1 << 33"), 2);  // shift counts use their low 5 bits
}

TEST_F(ExpressionTest, AssignmentsAreRightAssociativeAndWriteVariables) {
  EXPECT_EQ(Eval("a = b = 3"), 3);
  EXPECT_EQ(vars.GetVariable("a"), 3);
  EXPECT_EQ(vars.GetVariable("b"), 3);
  EXPECT_EQ(Eval("a += 4"), 7);
  EXPECT_EQ(Eval("a <<= 2"), 28);
  EXPECT_EQ(Eval("a %= 5"), 3);
  EXPECT_EQ(Eval("a &&= 0"), 0);
  EXPECT_EQ(Eval("a ||= 5"), 1);
  EXPECT_EQ(Eval("a ^= 3"), 2);
  EXPECT_EQ(vars.GetVariable("a"), 2);
  EXPECT_EQ(Eval("5 = 6"), 6);  // assigning to a number changes nothing stored
}

TEST_F(ExpressionTest, UnaryOperatorsAndIncrements) {
  vars.SetVariable("a", 5);
  EXPECT_EQ(Eval("-a * 2"), -10);
  EXPECT_EQ(Eval("a - -1"), 6);
  EXPECT_EQ(Eval("a++"), 5);
  EXPECT_EQ(vars.GetVariable("a"), 6);
  EXPECT_EQ(Eval("++a"), 7);
  EXPECT_EQ(Eval("a--"), 7);
  EXPECT_EQ(Eval("--a"), 5);
  EXPECT_EQ(Eval("-a++"), -5);
  EXPECT_EQ(vars.GetVariable("a"), 6);
  EXPECT_EQ(Eval("!a"), 0);
}

TEST_F(ExpressionTest, LogicalOperatorsEvaluateBothSides) {
  vars.SetVariable("flag", 0);
  EXPECT_EQ(Eval("flag && n++"), 0);
  EXPECT_EQ(vars.GetVariable("n"), 1);
  EXPECT_EQ(Eval("1 || n++"), 1);
  EXPECT_EQ(vars.GetVariable("n"), 2);
}

TEST_F(ExpressionTest, UndefinedArithmeticGivesZeroOrWraps) {
  EXPECT_EQ(Eval("5 / 0"), 0);
  EXPECT_EQ(Eval("5 % 0"), 0);
  vars.SetVariable("m", INT32_MIN);
  EXPECT_EQ(Eval("m / -1"), 0);
  EXPECT_EQ(Eval("m % -1"), 0);
  EXPECT_EQ(Eval("-m"), INT32_MIN);
  EXPECT_EQ(Eval("2147483647 + 1"), INT32_MIN);
  EXPECT_EQ(Eval("65536 * 65536"), 0);
  EXPECT_EQ(Eval("4294967297"), 1);  // literals wrap too
  vars.SetVariable("x", INT32_MAX);
  EXPECT_EQ(Eval("x++"), INT32_MAX);
  EXPECT_EQ(vars.GetVariable("x"), INT32_MIN);
}

TEST_F(ExpressionTest, MisspeltOperatorsAndMissingOperands) {
  vars.SetVariable("x", 4);
  EXPECT_EQ(Eval("x=-1"), 1);  // "x", the unknown "=-" read as a variable, "1": the top is 1
  EXPECT_EQ(vars.GetVariable("x"), 4);
  EXPECT_EQ(Eval("x =- 1"), 1);  // "=-" is a variable name too; extra operands are ignored
  EXPECT_EQ(Eval("3 +"), 0);     // "+" pops 3 as its right operand, finds no left one: both go
  EXPECT_EQ(Eval("* 3"), 3);     // a leading "*" becomes "(*)", no operator: a variable
  EXPECT_EQ(Eval("1 2 3"), 3);
  EXPECT_EQ(Eval("(1 + 2"), 3);
  EXPECT_EQ(Eval("1 + 2)"), 3);
  EXPECT_EQ(Eval("12abc + 1"), 13);
}

TEST_F(ExpressionTest, ReadingDoesNotCreateVariables) {
  EXPECT_EQ(Eval("never"), 0);
  EXPECT_EQ(vars.GameVariables().count("never"), 0u);
}

TEST_F(ExpressionTest, SharedVariablesTakePrecedence) {
  vars.DeclareShared("s");
  Eval("s = 9");
  EXPECT_EQ(vars.SharedVariables().at("s"), 9);
  EXPECT_EQ(vars.GameVariables().count("s"), 0u);
  vars.ClearGameVariables();
  EXPECT_EQ(Eval("s"), 9);
}

TEST_F(ExpressionTest, ShiftJisNamesKeepTheirTrailBytes) {
  // "ポ" is 0x83 0x7C: its trail byte is "|" and must not split the name.
  EXPECT_EQ(Eval("ポイント = 3"), 3);
  EXPECT_EQ(vars.GetVariable("ポイント"), 3);
  EXPECT_EQ(Eval("ポイント|4"), 7);
}

TEST_F(ExpressionTest, RandUsesTheEngineGenerator) {
  CRandom reference;
  reference.Seed(77);
  random.Seed(77);
  for (int i = 0; i < 50; ++i) {
    const int32_t r = reference.Next();
    EXPECT_EQ(Eval("rand 6"), 6 * r / 32768);
  }
  random.Seed(5);
  reference.Seed(5);
  EXPECT_EQ(Eval("rand 100000 + 1"), static_cast<int32_t>(100000LL * reference.Next() / 32768) + 1);
  EXPECT_EQ(Eval("rand -10 <= 0"), 1);
}

TEST_F(ExpressionTest, TimeAndNameChangeAreRefreshedAndTimeMovesTheClock) {
  clock = {2001, 12, 31, 13, 5};
  EXPECT_EQ(Eval("TIME"), 13 * 60 + 5);
  EXPECT_FALSE(evaluator.ClockChanged());
  EXPECT_EQ(Eval("TIME = 1500"), 1500);
  EXPECT_TRUE(evaluator.ClockChanged());
  EXPECT_EQ(clock.year, 2002);
  EXPECT_EQ(clock.month, 1);
  EXPECT_EQ(clock.day, 1);
  EXPECT_EQ(clock.hour, 1);
  EXPECT_EQ(clock.minute, 0);
  Eval("TIME = -30");
  EXPECT_EQ(clock.year, 2001);
  EXPECT_EQ(clock.month, 12);
  EXPECT_EQ(clock.day, 31);
  EXPECT_EQ(clock.hour, 23);
  EXPECT_EQ(clock.minute, 30);

  vars.SetDefaultSubstitution("主人公の名前", "太郎");
  EXPECT_EQ(Eval("NAME_CHANGE"), 0);
  vars.SetSubstitution("主人公の名前", "花子");
  EXPECT_EQ(Eval("NAME_CHANGE"), 1);
}

TEST(GameClock, CalendarArithmetic) {
  CGameClock clock{2004, 2, 28, 23, 0};
  clock.AddMinutes(60 + 24 * 60);  // leap year: 29 February, then 1 March
  EXPECT_EQ(clock.month, 3);
  EXPECT_EQ(clock.day, 1);
  EXPECT_EQ(clock.hour, 0);
  CGameClock odd{2000, 13, 1, 0, 0};  // stored as written, normalised on arithmetic
  odd.AddMinutes(0);
  EXPECT_EQ(odd.year, 2001);
  EXPECT_EQ(odd.month, 1);
}

}  // namespace
