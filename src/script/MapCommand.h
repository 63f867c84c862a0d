#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// MAP SRC=script MAP=n BGM=file: opens the map screen of map n.
class CMapCommand : public CScriptCommand {
 public:
  explicit CMapCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;
  const std::string& GetSource() const { return src; }
  int32_t GetMap() const { return map; }

 private:
  std::string src;
  int32_t map;
  std::string bgm;
};
