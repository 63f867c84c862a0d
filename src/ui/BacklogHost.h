#pragma once
#include <string>

#include "platform/Geometry.h"

// What the backlog screen needs of the engine: the voice channel, the cursor and mouse capture.
class IBacklogHost {
 public:
  virtual ~IBacklogHost() = default;

  // Plays a page's voice once on the voice channel (3).
  virtual void PlayVoice(const std::string& name) = 0;
  virtual SPoint GetCursorPos() = 0;
  virtual void SetCapture(bool capture) = 0;
};
