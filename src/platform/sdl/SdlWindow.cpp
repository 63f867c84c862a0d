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

void CSdlWindow::InitialSize(int& width, int& height) const {
  SDL_Rect usable{0, 0, placement.width, placement.height};
  SDL_GetDisplayUsableBounds(0, &usable);
  if (requestedScale == 0 && placement.width > 0 && placement.height > 0 && placement.width <= usable.w &&
      placement.height <= usable.h) {
    width = placement.width;
    height = placement.height;
    return;
  }
  const int scale = ChooseScale(gameWidth, gameHeight);
  width = gameWidth * scale;
  height = gameHeight * scale;
}

bool CSdlWindow::Create(const std::string& titleSjis, int width, int height, bool fullscreenMode) {
  gameWidth = width;
  gameHeight = height;
  int windowWidth = 0, windowHeight = 0;
  InitialSize(windowWidth, windowHeight);
  window = SDL_CreateWindow(sjis::ToUtf8(titleSjis).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                            windowWidth, windowHeight,
                            SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!window) return false;
  SDL_SetWindowMinimumSize(window, std::max(width / 4, 1), std::max(height / 4, 1));
  placement.width = windowWidth;
  placement.height = windowHeight;
  renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) return false;
  texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
  if (!texture) return false;
  SDL_SetTextureScaleMode(texture,
                          placement.scaling == EScaling::kSharp ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
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
  if (!value) {
    SDL_SetWindowSize(window, placement.width, placement.height);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  return true;
}

void CSdlWindow::OnResized() {
  if (!window || fullscreen || (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return;
  SDL_GetWindowSize(window, &placement.width, &placement.height);
}

EPresentState CSdlWindow::GetPresentState() {
  if (!window) return EPresentState::kBusy;
  const Uint32 flags = SDL_GetWindowFlags(window);
  if (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) return EPresentState::kBusy;
  return EPresentState::kReady;
}

CViewport CSdlWindow::Viewport() const {
  int drawableWidth = gameWidth, drawableHeight = gameHeight, windowWidth = 0, windowHeight = 0;
  if (renderer) SDL_GetRendererOutputSize(renderer, &drawableWidth, &drawableHeight);
  if (window) SDL_GetWindowSize(window, &windowWidth, &windowHeight);
  if (windowWidth <= 0 || windowHeight <= 0) {
    windowWidth = drawableWidth;
    windowHeight = drawableHeight;
  }
  return CViewport(placement.scaling, gameWidth, gameHeight, drawableWidth, drawableHeight, windowWidth,
                   windowHeight);
}

void CSdlWindow::Present(const uint32_t* pixels, int width, int, std::span<const SRect> rects) {
  if (!texture) return;
  for (const SRect& r : rects) {
    SDL_Rect area{r.left, r.top, r.Width(), r.Height()};
    SDL_UpdateTexture(texture, &area, pixels + static_cast<size_t>(r.top) * width + r.left, width * 4);
  }
  // The back buffer is undefined after a flip, so the whole texture is drawn; only uploads are partial.
  const SRect dest = Viewport().Destination();
  const SDL_Rect target{dest.left, dest.top, dest.Width(), dest.Height()};
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, texture, nullptr, &target);
  SDL_RenderPresent(renderer);
}

void CSdlWindow::Raise() {
  if (!window) return;
  SDL_RestoreWindow(window);
  SDL_RaiseWindow(window);
}

SPoint CSdlWindow::ToGame(int windowX, int windowY) const { return Viewport().ToGame(windowX, windowY); }

SPoint CSdlWindow::ToWindow(int gameX, int gameY) const { return Viewport().ToWindow(gameX, gameY); }

bool CSdlWindow::DescribeDriver(SDisplayDriverInfo& info) const {
  if (!renderer) return false;
  SDL_RendererInfo r{};
  if (SDL_GetRendererInfo(renderer, &r) != 0) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  info.driverName = driver ? driver : "";
  info.description = r.name ? r.name : "";
  info.description += (r.flags & SDL_RENDERER_ACCELERATED) ? " accelerated" : " software";
  if (r.flags & SDL_RENDERER_PRESENTVSYNC) info.description += " vsync";
  // The driver's version is the version of the SDL library that drives it.
  SDL_version v{};
  SDL_GetVersion(&v);
  info.version[0] = v.major;
  info.version[1] = v.minor;
  info.version[2] = v.patch;
  info.version[3] = 0;
  return true;
}
