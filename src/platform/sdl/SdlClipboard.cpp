#include "platform/sdl/SdlClipboard.h"

#include <SDL.h>

#include "io/ShiftJis.h"

bool CSdlClipboard::SetText(const std::string& textSjis) {
  return SDL_SetClipboardText(sjis::ToUtf8(textSjis).c_str()) == 0;
}
