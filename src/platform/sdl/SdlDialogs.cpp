#include "platform/sdl/SdlDialogs.h"

#include <SDL.h>

#include <cstdio>

#include "io/ShiftJis.h"
#include "platform/sdl/SdlWindow.h"

namespace {
// Button labels are UTF-8 for SDL, so they are written as UTF-8 literals.
const char* Utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }
}  // namespace

EAnswer CSdlDialogs::MessageBox(const std::string& caption, const std::string& text, bool yesNo) {
  const std::string title = sjis::ToUtf8(caption), message = sjis::ToUtf8(text);
  SDL_MessageBoxButtonData okButtons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"}};
  SDL_MessageBoxButtonData yesNoButtons[] = {{SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 2, Utf8(u8"いいえ")},
                                             {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, Utf8(u8"はい")}};
  SDL_MessageBoxData data{};
  data.flags = yesNo ? SDL_MESSAGEBOX_INFORMATION : SDL_MESSAGEBOX_ERROR;
  data.window = window.Handle();
  data.title = title.c_str();
  data.message = message.c_str();
  data.numbuttons = yesNo ? 2 : 1;
  data.buttons = yesNo ? yesNoButtons : okButtons;
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) {
    // Without a box (an X server without fonts, say) the text still reaches the player's terminal,
    // and a question is left to the caller rather than answered for the player.
    std::fprintf(stderr, "zel: %s: %s\n", title.c_str(), message.c_str());
    return yesNo ? EAnswer::kUnavailable : EAnswer::kOk;
  }
  EAnswer answer = !yesNo ? EAnswer::kOk : pressed == 1 ? EAnswer::kYes : EAnswer::kNo;
  TraceMessageBox(caption, text, answer);
  return answer;
}
