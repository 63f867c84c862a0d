#include "script/SystemControl.h"

#include <vector>

#include "script/ScriptHost.h"
#include "script/ScriptNames.h"
#include "script/ScriptParams.h"
#include "script/ScriptRunner.h"

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; }

// Up to 16 words; runs of separators count as one.
std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size() && static_cast<int>(words.size()) < CSystemControl::kMaxWords) {
    while (i < text.size() && IsSeparator(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !IsSeparator(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// Decimal from the leading digits; no digits give 0.
int32_t Digits(const std::string& text) {
  return text[0] == '-' || text[0] == '+' ? 0 : CScriptParams::ParseDecimal(text);
}

}  // namespace

void CSystemControl::Run(const std::string& text) {
  const std::vector<std::string> words = SplitWords(text);
  if (words.empty()) return;
  const std::string& word = words[0];
  const size_t args = words.size() - 1;
  IScriptHost& host = runner.Host();
  if (word == "[MapAnswer]" && args >= 3) {
    MapAnswer(words[1], words[2], words[3]);
  } else if (word == "[MapSelect]") {
    host.SetMode(16);
  } else if (word == "[ForceWait]" && args >= 1) {
    const int32_t ticks = Digits(words[1]);
    runner.StartForcedWait(
        runner.CatchUp(ticks, static_cast<int32_t>((static_cast<int64_t>(ticks) + 1) / 2)));
  } else if (word == "[SkipStop]") {
    target.StopSkipping();
    host.MarkScreenDirty();
  } else if (word == "[SEWait]") {
    runner.WaitForSounds(1u << 0);
  } else if (word == "[SE2Wait]") {
    runner.WaitForSounds(1u << 2);
  } else if (word == "[AllSEWait]") {
    runner.WaitForSounds((1u << 0) | (1u << 2));
  } else if (word == "SetAlpha" && args >= 2) {
    SetAlpha(words[1], words[2]);
  }
}

// Entries outside the table and labels longer than the map keeps are rejected.
void CSystemControl::MapAnswer(const std::string& index, const std::string& person,
                               const std::string& label) {
  const int32_t entry = Digits(index);
  if (entry < 0 || entry >= kMapAnswers || label.size() > kMaxLabel) return;
  target.SetMapAnswer(entry, Digits(person), label);
}

void CSystemControl::SetAlpha(const std::string& layer, const std::string& opacity) {
  for (int32_t i = 0; i < 7; ++i)
    if (layer == scriptnames::kLayers[i].keyword) target.SetLayerOpacity(i, Digits(opacity));
  runner.Host().MarkScreenDirty();
}
