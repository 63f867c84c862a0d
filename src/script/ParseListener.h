#pragma once
#include <cstdint>
#include <string>

// Told by the parser about what it drops or repairs, with source lines counted from 1. The engine
// parses without one; the script checker listens.
class IParseListener {
 public:
  virtual ~IParseListener() = default;
  // A tag whose name is no command, block or formatting tag.
  virtual void OnUnknownTag(const std::string& name, int32_t line) = 0;
  // An END with no block to close, or one on a line that cannot close a block.
  virtual void OnStrayEnd(int32_t line) = 0;
  // A block still open at the end of the file (it is closed there); line is its opening tag's.
  virtual void OnUnclosedBlock(int32_t line) = 0;
};
