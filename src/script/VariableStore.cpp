#include "script/VariableStore.h"

int32_t CVariableStore::GetVariable(const std::string& name) const {
  if (auto it = shared.find(name); it != shared.end()) return it->second;
  if (auto it = game.find(name); it != game.end()) return it->second;
  return 0;
}

void CVariableStore::SetVariable(const std::string& name, int32_t value) {
  if (auto it = shared.find(name); it != shared.end()) {
    it->second = value;
    return;
  }
  game[name] = value;
}

void CVariableStore::DeclareShared(const std::string& name) { shared.try_emplace(name, 0); }

std::string CVariableStore::Substitute(const std::string& keyword) const {
  auto it = substitutions.find(keyword);
  return it == substitutions.end() ? keyword : it->second;
}

void CVariableStore::SetDefaultSubstitution(const std::string& keyword, const std::string& text) {
  defaults[keyword] = text;
  substitutions.try_emplace(keyword, text);
}

bool CVariableStore::IsSubstitutionChanged(const std::string& keyword) const {
  // A keyword missing from a table counts as empty text.
  auto text = [&keyword](const std::map<std::string, std::string>& table) {
    auto it = table.find(keyword);
    return it == table.end() ? std::string() : it->second;
  };
  return text(substitutions) != text(defaults);
}
