#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// SDL falls back to drivers that show nothing when no display server answers; the player would then
// run invisibly. They count as a display only when asked for by name (SDL_VIDEODRIVER, as tests do).
bool IsInvisibleDriver(const char* name) {
  return name && (std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0);
}

}  // namespace

bool CSdlPlatform::HasDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) return false;
  if (!IsInvisibleDriver(driver)) return true;
  const char* requested = std::getenv("SDL_VIDEODRIVER");
  return requested && std::strstr(requested, driver) != nullptr;
}

CSdlPlatform::CSdlPlatform(int scale) : window(scale), input(window, instance), dialogs(window) {}

CSdlPlatform::~CSdlPlatform() {
  audio.Close();
  input.Gamepad().Close();
  window.Destroy();
  if (initialised) SDL_Quit();
}

bool CSdlPlatform::Init(std::string& error) {
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // The window's close button asks first; SDL_QUIT then only comes from a signal or the session.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // The input method shows its own candidate list; the composition itself is drawn in the field,
  // also when it is longer than a plain editing event holds.
  SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");
  SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    error =
        std::string("no display is available (") + SDL_GetError() + "); use --headless to run without one";
    return false;
  }
  initialised = true;
  // SDL starts with text input on; keys must reach the game as keys until a text field opens.
  SDL_StopTextInput();
  if (!HasDisplay()) {
    error = "no display is available; use --headless to run without one";
    return false;
  }
  // Without a sound card the mix runs silently at the same pace, so the game still plays; without
  // the controller subsystem the keyboard and mouse still do.
  audio.Open();
  input.Gamepad().Open();
  return true;
}
