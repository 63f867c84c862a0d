#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>

CSdlPlatform::CSdlPlatform(int scale) : window(scale), input(window, instance), dialogs(window) {}

CSdlPlatform::~CSdlPlatform() {
  audio.Close();
  window.Destroy();
  if (initialised) SDL_Quit();
}

bool CSdlPlatform::Init(std::string& error) {
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // The window's close button asks first; SDL_QUIT then only comes from a signal or the session.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    error = SDL_GetError();
    return false;
  }
  initialised = true;
  // Without a sound card the mix runs silently at the same pace, so the game still plays.
  audio.Open();
  return true;
}
