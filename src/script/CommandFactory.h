#pragma once
#include <memory>
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// Makes the command object of a tag name from its parameters.
class CCommandFactory {
 public:
  // The command, or null when the name is no command.
  static std::unique_ptr<CScriptCommand> Create(const std::string& name, const CScriptParams& params);
};
