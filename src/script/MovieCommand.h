#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// MOVIE SRC=file: plays a movie; the engine stays in mode 15 until it ends.
class CMovieCommand : public CScriptCommand {
 public:
  explicit CMovieCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;
  const std::string& GetSource() const { return src; }

 private:
  std::string src;
};
