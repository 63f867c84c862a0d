#pragma once
#include <memory>
#include <string>

#include "audio/SoundStream.h"

// One of the five output channels. stream, name, loop and volume are shared with the streaming
// thread and guarded by the channel lock; the fade and pending fields belong to the message thread.
class CSoundChannel {
 public:
  std::unique_ptr<CSoundStream> stream;
  std::string name;  // the file the stream plays
  bool loop = false;
  int volume = 0;  // 0-256, the last applied

  int fadeOutElapsed = 0;
  int fadeOutLength = 0;  // 0: no fade-out running
  int fadeInElapsed = 0;
  int fadeInLength = 0;     // 0: no fade-in
  std::string pendingName;  // started when the fade-out ends; empty: stop then
  bool pendingLoop = false;
};
