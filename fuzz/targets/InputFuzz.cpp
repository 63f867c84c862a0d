// The headless runner's input scripts: parsed, then every frame's events taken in order.
#include <string>

#include "FuzzTarget.h"
#include "platform/headless/InputScript.h"

ZEL_FUZZ_TARGET(input) {
  CInputScript script;
  std::string error;
  if (!script.Parse(std::string(reinterpret_cast<const char*>(data), size), error)) return 0;
  for (int64_t frame = 0; frame < 4096 && !script.IsExhausted(); ++frame) script.TakeFrame(frame);
  return 0;
}
