#pragma once
#include <cstdint>
#include <map>
#include <string>

// The script's named signed 32-bit variables and the text substitution table.
// Shared variables exist only when declared (by the settings) and outlive a game; game variables
// are created by their first assignment and belong to one game (saves, reset).
class CVariableStore {
 public:
  using Map = std::map<std::string, int32_t>;

  // The shared store if it has the name, else the game store, else 0; nothing is created.
  int32_t GetVariable(const std::string& name) const;
  // The shared store if it has the name; else the game store, creating the entry.
  void SetVariable(const std::string& name, int32_t value);
  // Declares a shared variable with value 0 (a settings row); an existing one keeps its value.
  void DeclareShared(const std::string& name);
  void ClearGameVariables() { game.clear(); }
  Map& SharedVariables() { return shared; }
  Map& GameVariables() { return game; }

  // The substitution text of a keyword, or the keyword itself when it has none.
  std::string Substitute(const std::string& keyword) const;
  void SetSubstitution(const std::string& keyword, const std::string& text) { substitutions[keyword] = text; }
  // The default text of a keyword, also made its current text when it has none yet.
  void SetDefaultSubstitution(const std::string& keyword, const std::string& text);
  // True when the keyword's current text differs from its default text.
  bool IsSubstitutionChanged(const std::string& keyword) const;
  // The current text of every keyword.
  const std::map<std::string, std::string>& Substitutions() const { return substitutions; }

 private:
  Map shared;
  Map game;
  std::map<std::string, std::string> substitutions;
  std::map<std::string, std::string> defaults;
};
