#pragma once
#include <string>

#include "script/ScriptCommand.h"
#include "script/ScriptHost.h"
#include "script/ScriptParams.h"

// IMG SRC=file PLACE=layer EFFECT=transition TIME=n ...: shows a picture on a layer (or clears it
// without SRC), with a transition from the previous picture that the script waits for (mode 10)
// unless ASYNC=ON.
class CImgCommand : public CScriptCommand {
 public:
  explicit CImgCommand(const CScriptParams& params);
  void Execute(CScriptRunner& runner) override;
  // The request as written, before effects-off, skipping and demo catch-up are applied.
  const SImageRequest& GetRequest() const { return request; }

 private:
  SImageRequest request;
  bool async;
};
