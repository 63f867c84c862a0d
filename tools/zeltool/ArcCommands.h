#pragma once
#include <string>

#include "io/ArchiveTree.h"

// Command-line names as Shift JIS, for the subcommands that take data paths.
inline bool ToShiftJisName(const std::string& name, std::string& sjisName) {
  return CArchiveTree::ToShiftJisName(name, sjisName);
}
