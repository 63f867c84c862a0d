#include "platform/sdl/SdlWindow.h"

#include <algorithm>

#include "io/ShiftJis.h"
#include "platform/WindowScale.h"

int CSdlWindow::ChooseScale(int width, int height) const {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return std::max(requestedScale, 1);
  // A scale too large for the desktop would put the title bar out of reach.
  return FitWindowScale(requestedScale, width, height, usable.w, usable.h);
}

bool CSdlWindow::Create(const std::string& titleSjis, int width, int height, bool fullscreenMode) {
  gameWidth = width;
  gameHeight = height;
  const int scale = ChooseScale(width, height);
  window = SDL_CreateWindow(sjis::ToUtf8(titleSjis).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                            width * scale, height * scale, SDL_WINDOW_HIDDEN);
  if (!window) return false;
  renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) return false;
  // The logical size letterboxes full screen with the aspect kept and maps mouse events to game pixels.
  SDL_RenderSetLogicalSize(renderer, width, height);
  texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
  if (!texture) return false;
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SetFullscreen(fullscreenMode);
  SDL_ShowWindow(window);
  return true;
}

void CSdlWindow::Destroy() {
  if (texture) SDL_DestroyTexture(texture);
  if (renderer) SDL_DestroyRenderer(renderer);
  if (window) SDL_DestroyWindow(window);
  texture = nullptr;
  renderer = nullptr;
  window = nullptr;
}

void CSdlWindow::SetTitle(const std::string& titleSjis) {
  if (window) SDL_SetWindowTitle(window, sjis::ToUtf8(titleSjis).c_str());
}

bool CSdlWindow::SetFullscreen(bool value) {
  if (!window) return false;
  if (SDL_SetWindowFullscreen(window, value ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
  fullscreen = value;
  if (!value) SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  return true;
}

EPresentState CSdlWindow::GetPresentState() {
  if (!window) return EPresentState::kBusy;
  const Uint32 flags = SDL_GetWindowFlags(window);
  if (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) return EPresentState::kBusy;
  return EPresentState::kReady;
}

void CSdlWindow::Present(const uint32_t* pixels, int width, int, std::span<const SRect> rects) {
  if (!texture) return;
  for (const SRect& r : rects) {
    SDL_Rect area{r.left, r.top, r.Width(), r.Height()};
    SDL_UpdateTexture(texture, &area, pixels + static_cast<size_t>(r.top) * width + r.left, width * 4);
  }
  // The back buffer is undefined after a flip, so the whole texture is drawn; only uploads are partial.
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, texture, nullptr, nullptr);
  SDL_RenderPresent(renderer);
}

void CSdlWindow::Raise() {
  if (!window) return;
  SDL_RestoreWindow(window);
  SDL_RaiseWindow(window);
}

SPoint CSdlWindow::ToGame(int windowX, int windowY) const {
  float x = 0, y = 0;
  SDL_RenderWindowToLogical(renderer, windowX, windowY, &x, &y);
  return {static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

SPoint CSdlWindow::ToWindow(int gameX, int gameY) const {
  int x = 0, y = 0;
  SDL_RenderLogicalToWindow(renderer, static_cast<float>(gameX), static_cast<float>(gameY), &x, &y);
  return {x, y};
}
