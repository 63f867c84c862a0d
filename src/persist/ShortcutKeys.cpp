#include "persist/ShortcutKeys.h"

#include <algorithm>

#include "platform/VirtualKeys.h"

namespace {

struct SNamedKey {
  const char* name;
  uint32_t key;
};

constexpr SNamedKey kNamedKeys[] = {
    {"ENTER", vk::kReturn},  {"SPACE", vk::kSpace},   {"BS", vk::kBack},       {"TAB", vk::kTab},
    {"ESCAPE", vk::kEscape}, {"INSERT", vk::kInsert}, {"DELETE", vk::kDelete}, {"PAGEUP", vk::kPrior},
    {"PAGEDOWN", vk::kNext}, {"END", vk::kEnd},       {"HOME", vk::kHome},     {"UP", vk::kUp},
    {"DOWN", vk::kDown},     {"LEFT", vk::kLeft},     {"RIGHT", vk::kRight},
};

// F1 to F24 from the digits after the 'F'; 0 for anything else.
uint32_t FunctionKey(const std::string& digits) {
  if (digits.empty() || digits.size() > 2 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return 0;
  int n = std::stoi(digits);
  return n >= 1 && n <= 24 ? vk::kF1 + static_cast<uint32_t>(n - 1) : 0;
}

int ButtonIndex(const std::string& button) {
  const std::vector<std::string>& names = CShortcutKeys::ButtonNames();
  auto it = std::find(names.begin(), names.end(), button);
  return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

}  // namespace

const std::vector<std::string>& CShortcutKeys::ButtonNames() {
  static const std::vector<std::string> names{"クイックロード", "クイックセーブ", "ログ",
                                              "オート",         "スキップ",       "ロード",
                                              "セーブ",         "コンフィグ",     "閉じる"};
  return names;
}

void CShortcutKeys::Reset() {
  keys.assign(ButtonNames().size(), SShortcut{});
  keys[0].key = 'L';
  keys[1].key = 'S';
  keys[2].key = vk::kUp;
  keys[3].key = 'A';
}

bool CShortcutKeys::Set(const std::string& button, const std::string& keyCell) {
  int index = ButtonIndex(button);
  if (index < 0) return false;
  keys[index] = ParseKey(keyCell);
  return true;
}

CShortcutKeys::SShortcut CShortcutKeys::Get(const std::string& button) const {
  int index = ButtonIndex(button);
  return index < 0 ? SShortcut{} : keys[index];
}

CShortcutKeys::SShortcut CShortcutKeys::ParseKey(const std::string& cell) {
  SShortcut result;
  std::string rest = cell;
  if (rest.rfind("SHIFT+", 0) == 0) {
    result.shift = true;
    rest = rest.substr(6);
  }
  if (rest.size() == 1 && ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= '0' && rest[0] <= '9'))) {
    result.key = static_cast<uint32_t>(rest[0]);
    return result;
  }
  for (const SNamedKey& named : kNamedKeys)
    if (rest == named.name) result.key = named.key;
  if (result.key == 0 && rest.size() > 1 && rest[0] == 'F') result.key = FunctionKey(rest.substr(1));
  return result;
}
