#pragma once
#include <cstdio>
#include <string>
#include <vector>

// A zeltool subcommand: receives the arguments after its name and returns the exit status.
using ToolFunction = int (*)(const std::vector<std::string>& args);

// Each subcommand file registers itself with a static CToolCommand.
class CToolCommand {
 public:
  CToolCommand(const char* name, const char* usage, const char* summary, ToolFunction function);
  static const CToolCommand* Find(const std::string& name);
  // Every command's usage line and, indented below it, what it does (also the manual's source).
  static void PrintUsage(FILE* out);

  const char* name;
  const char* usage;
  const char* summary;
  ToolFunction function;
};

// Prints "zeltool: message" on standard error and returns 1.
int ToolFail(const std::string& message);

// Makes the game folder current and loads its settings as the player does. False after the problem
// was reported, including a game without system\setting.csv: the settings loader reports that file
// and goes on, which would leave a tool exiting 0 after printing an error.
bool LoadGameSettings(const std::string& gameDir);
