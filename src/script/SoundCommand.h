#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptParams.h"

// SOUND SRC=file CHANNEL=n LOOP=ON WAIT=ON TIME=n: plays a sound on a channel (fading in over
// TIME), or without SRC stops the channel (fading out over TIME). WAIT=ON waits for it to end.
class CSoundCommand : public CScriptCommand {
 public:
  static constexpr int32_t kChannels = 5;
  explicit CSoundCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;
  const std::string& GetSource() const { return src; }

 private:
  std::string src;
  int32_t channel;
  bool loop;
  bool wait;
  int32_t time;
};
