#pragma once
#include <SDL.h>

#include "platform/Clock.h"

class CSdlClock : public IClock {
 public:
  uint32_t GetTickCount() override { return SDL_GetTicks(); }
  void Sleep(uint32_t milliseconds) override { SDL_Delay(milliseconds); }
};
