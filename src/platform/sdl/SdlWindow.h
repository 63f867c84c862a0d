#pragma once
#include <SDL.h>

#include "platform/Viewport.h"
#include "platform/Window.h"

// A real SDL2 window: resizable, hi-DPI aware, the game picture scaled into it sharp or smooth
// (CViewport); the screen buffer is uploaded to a streaming texture only over the dirty rectangles.
// Full screen is a borderless window over the desktop, so switching away and back keeps it.
class CSdlWindow : public IWindow {
 public:
  explicit CSdlWindow(int scale) : requestedScale(scale) {}
  ~CSdlWindow() override { Destroy(); }

  bool Create(const std::string& titleSjis, int width, int height, bool fullscreen) override;
  void Destroy() override;
  void SetTitle(const std::string& titleSjis) override;
  bool SetFullscreen(bool fullscreen) override;
  bool IsFullscreen() const override { return fullscreen; }
  EPresentState GetPresentState() override;
  void Present(const uint32_t* pixels, int width, int height, std::span<const SRect> rects) override;
  void Raise() override;
  void SetPlacement(const SWindowPlacement& value) override { placement = value; }
  SWindowPlacement Placement() const override { return placement; }
  bool DescribeDriver(SDisplayDriverInfo& info) const override;

  SDL_Window* Handle() const { return window; }
  SDL_Renderer* Renderer() const { return renderer; }
  // The window changed size: outside full screen the new size is the one to keep.
  void OnResized();
  // Converts window coordinates to game-screen pixels (letterboxing and scale removed).
  SPoint ToGame(int windowX, int windowY) const;
  SPoint ToWindow(int gameX, int gameY) const;

 private:
  int ChooseScale(int width, int height) const;
  // The window's first size: the kept one when it fits on the desktop, else the game screen scaled.
  void InitialSize(int& width, int& height) const;
  CViewport Viewport() const;

  int requestedScale;
  SWindowPlacement placement;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  int gameWidth = 0, gameHeight = 0;
  bool fullscreen = false;
};
