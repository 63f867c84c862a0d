#pragma once
#include "script/ScriptCommand.h"

// Base text with its reading drawn above it (<RUBY TEXT=... RUBY=...>).
class CScriptRuby : public CScriptCommand {
 public:
  CScriptRuby(std::string base, std::string reading) : text(std::move(base)), ruby(std::move(reading)) {}
  std::string GetText() const override { return text; }
  void Execute(CScriptRunner& runner) override;
  const std::string& GetRuby() const { return ruby; }

 private:
  std::string text;
  std::string ruby;
};
