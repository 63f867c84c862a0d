#pragma once
#include <string>
#include <vector>

// The "arc" subcommands of zeltool.
int ArcPack(const std::vector<std::string>& args);
int ArcList(const std::vector<std::string>& args);
int ArcExtract(const std::vector<std::string>& args);

// A name from the command line or the file system as Shift JIS: valid UTF-8 is converted, anything
// else is taken as Shift JIS bytes already. False when UTF-8 text has no Shift JIS form.
bool ToShiftJisName(const std::string& name, std::string& sjisName);
