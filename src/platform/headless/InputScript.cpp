#include "platform/headless/InputScript.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/VirtualKeys.h"

namespace {

using EVerb = SInputCommand::EVerb;

const std::map<std::string, EVerb>& Verbs() {
  static const std::map<std::string, EVerb> verbs = {
      {"move", EVerb::kMove},     {"click", EVerb::kClick},       {"down", EVerb::kDown},
      {"up", EVerb::kUp},         {"rclick", EVerb::kRightClick}, {"wheel", EVerb::kWheel},
      {"key", EVerb::kKey},       {"keydown", EVerb::kKeyDown},   {"keyup", EVerb::kKeyUp},
      {"answer", EVerb::kAnswer}, {"type", EVerb::kType},         {"close", EVerb::kClose}};
  return verbs;
}

bool ParseInt(const std::string& word, int64_t& value) {
  if (word.empty()) return false;
  size_t i = (word[0] == '-' || word[0] == '+') ? 1 : 0;
  if (i == word.size() || word.size() > 18) return false;
  for (size_t k = i; k < word.size(); ++k)
    if (word[k] < '0' || word[k] > '9') return false;
  value = std::stoll(word);
  return true;
}

bool ReadPoint(std::istringstream& in, SInputCommand& c) {
  std::string xs, ys, extra;
  int64_t x = 0, y = 0;
  if (!(in >> xs >> ys) || !ParseInt(xs, x) || !ParseInt(ys, y) || (in >> extra)) return false;
  c.x = static_cast<int32_t>(x);
  c.y = static_cast<int32_t>(y);
  return true;
}

}  // namespace

uint32_t CInputScript::KeyCode(const std::string& name, bool allowModifiers) {
  static const std::map<std::string, uint32_t> names = {
      {"RETURN", vk::kReturn}, {"SPACE", vk::kSpace},   {"ESCAPE", vk::kEscape}, {"UP", vk::kUp},
      {"DOWN", vk::kDown},     {"LEFT", vk::kLeft},     {"RIGHT", vk::kRight},   {"PRIOR", vk::kPrior},
      {"NEXT", vk::kNext},     {"TAB", vk::kTab},       {"BACK", vk::kBack},     {"HOME", vk::kHome},
      {"END", vk::kEnd},       {"INSERT", vk::kInsert}, {"DELETE", vk::kDelete}};
  if (auto it = names.find(name); it != names.end()) return it->second;
  if (allowModifiers) {
    if (name == "CONTROL") return vk::kControl;
    if (name == "SHIFT") return vk::kShift;
    if (name == "MENU") return vk::kMenu;
  }
  if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return vk::kA + (name[0] - 'A');
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return vk::k0 + (name[0] - '0');
  int64_t n = 0;
  if (name.size() >= 2 && name[0] == 'F' && ParseInt(name.substr(1), n) && n >= 1 && n <= 24)
    return vk::kF1 + static_cast<uint32_t>(n - 1);
  return 0;
}

bool CInputScript::Load(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  return Parse(text.str(), error);
}

bool CInputScript::Parse(const std::string& text, std::string& error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    if (!ParseLine(line, number, error)) return false;
  }
  // Events of one frame keep their file order; frames may be listed out of order.
  std::stable_sort(commands.begin(), commands.end(),
                   [](const SInputCommand& a, const SInputCommand& b) { return a.frame < b.frame; });
  return true;
}

bool CInputScript::ParseLine(const std::string& line, int lineNumber, std::string& error) {
  std::istringstream in(line);
  std::string frameWord, verbWord;
  SInputCommand c;
  c.line = lineNumber;
  auto fail = [&](const std::string& why) {
    error = "input line " + std::to_string(lineNumber) + ": " + why;
    return false;
  };
  if (!(in >> frameWord >> verbWord) || !ParseInt(frameWord, c.frame) || c.frame < 1)
    return fail("expected FRAME VERB");
  auto verb = Verbs().find(verbWord);
  if (verb == Verbs().end()) return fail("unknown verb " + verbWord);
  c.verb = verb->second;
  std::string word, extra;
  int64_t n = 0;
  switch (c.verb) {
    case EVerb::kMove:
    case EVerb::kClick:
    case EVerb::kDown:
    case EVerb::kUp:
    case EVerb::kRightClick:
      if (!ReadPoint(in, c)) return fail("expected X Y");
      break;
    case EVerb::kWheel:
      if (!(in >> word) || !ParseInt(word, n) || (in >> extra)) return fail("expected DELTA");
      c.delta = static_cast<int32_t>(n);
      break;
    case EVerb::kKey:
    case EVerb::kKeyDown:
    case EVerb::kKeyUp:
      if (!(in >> word) || (in >> extra)) return fail("expected a key name");
      c.key = KeyCode(word, c.verb != EVerb::kKey);
      if (c.key == 0) return fail("unknown key " + word);
      break;
    case EVerb::kAnswer:
      if (!(in >> word) || (word != "yes" && word != "no") || (in >> extra))
        return fail("expected yes or no");
      c.yes = word == "yes";
      break;
    case EVerb::kType: {
      std::getline(in, c.text);
      size_t start = c.text.find_first_not_of(" \t");
      c.text = start == std::string::npos ? "" : c.text.substr(start);
      break;
    }
    case EVerb::kClose:
      if (in >> extra) return fail("close takes no arguments");
      break;
  }
  commands.push_back(std::move(c));
  return true;
}

std::vector<SInputCommand> CInputScript::TakeFrame(int64_t frame) {
  std::vector<SInputCommand> out;
  while (next < commands.size() && commands[next].frame <= frame) out.push_back(commands[next++]);
  return out;
}
