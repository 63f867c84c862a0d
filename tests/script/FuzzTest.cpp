#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "ScriptFuzzTarget.h"

namespace {

// Scripts to start mutating from: every tag kind, nesting, quoting and expressions.
const char* const kSeeds[] = {
    "abc<WAIT TIME=30>def\n\n",
    "<SELECT TEXT=a COND=\"x == 1\">\nx\n<END>\n<SELECT TEXT=b>\ny\n<END>\n",
    "<LOOP>\n<EXP EXP=\"n = n + 1\">\n<IF COND=\"n >= 3\">\n<BREAK>\n<END>\n<END>\n",
    "<JUMP LABEL=in>\n<LOOP>\n<IF COND=1>\n<LABEL LABEL=in>\nb<KEYWAIT>\n<END>\n<END>\n",
    "<SCRIPT SRC=sub.adv LABEL=x>\n<SCRIPT SRC=sub.adv GOTO=ON>\n<EXIT TYPE=MAP>\n",
    "<IMG SRC=\"a b.png\" EFFECT=FADE TIME=5><SOUND SRC=s.ogg WAIT=ON><SCREEN EFFECT=SNOW_LOW>\n",
    "<FONT SIZE=150 COLOR=#ff00ff>あいう<RUBY TEXT=漢 RUBY=かん>\t;comment\n",
    "<CLICK PLACE=PERSON1 COLOR=FF0000>\n<MAP SRC=m.adv MAP=2>\n<END>\n<EXP EXP=\"TIME = -99999\">",
    "a = b = rand 6 + ((x++ << 3) % -0) || !~--y &&= 2147483647 * 2",
};

uint64_t Next(uint64_t& state) {
  state ^= state << 13;
  state ^= state >> 7;
  state ^= state << 17;
  return state;
}

std::string Mutate(std::string text, uint64_t& state) {
  static const char* const kPieces[] = {
      "<",  ">", "\"", "=",  "<END>", "<LOOP>",  "<IF COND=", "\n",           "\x82",
      "\0", "(", ")",  "++", "rand",  "<BREAK>", "<SELECT>",  "<LABEL LABEL="};
  const int edits = 1 + Next(state) % 4;
  for (int i = 0; i < edits; ++i) {
    const size_t at = text.empty() ? 0 : Next(state) % (text.size() + 1);
    switch (Next(state) % 4) {
      case 0:
        text.insert(at, 1, static_cast<char>(Next(state)));
        break;
      case 1:
        if (!text.empty()) text.erase(at == text.size() ? at - 1 : at, 1 + Next(state) % 8);
        break;
      case 2:
        text.insert(at, kPieces[Next(state) % (sizeof kPieces / sizeof kPieces[0])]);
        break;
      default:
        text = text.substr(0, at);
        break;
    }
  }
  return text;
}

void Feed(const std::string& input) {
  ScriptFuzzOne(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

TEST(ScriptFuzz, ScriptsCutAtEveryByte) {
  for (const char* seed : kSeeds) {
    const std::string text(seed);
    for (size_t cut = 0; cut <= text.size(); ++cut) Feed(text.substr(0, cut));
  }
}

TEST(ScriptFuzz, HostileInputs) {
  Feed(std::string(100000, '<'));
  Feed("<IMG SRC=\"" + std::string(200000, 'x'));
  Feed("<" + std::string(50000, '"') + ">");
  Feed(std::string(20000, '(') + "1" + std::string(5, ')'));
  Feed(std::string(10000, '-') + "1");
  Feed(std::string(5000, '\x81'));
  Feed("<LOOP>\n<LOOP>\n<SCRIPT SRC=sub.adv>\n<END>\n<END>");
  std::string junk;
  uint64_t state = 0x9E3779B97F4A7C15ull;
  for (int i = 0; i < 65536; ++i) junk += static_cast<char>(Next(state));
  Feed(junk);
}

// A bounded random-mutation run; libFuzzer runs the same target without bounds where available.
TEST(ScriptFuzz, RandomMutations) {
  uint64_t state = 0x2545F4914F6CDD1Dull;
  // <chrono> does not build with the Shift JIS execution character set; processor time will do.
  const std::clock_t deadline = std::clock() + 2 * CLOCKS_PER_SEC;
  int runs = 0;
  for (; runs < 20000 && std::clock() < deadline; ++runs) {
    std::string input = kSeeds[Next(state) % (sizeof kSeeds / sizeof kSeeds[0])];
    for (int round = Next(state) % 6; round >= 0; --round) input = Mutate(std::move(input), state);
    Feed(input);
  }
  EXPECT_GT(runs, 100);
}

}  // namespace
