#pragma once
#include <SDL.h>

#include "platform/Window.h"

// A real SDL2 window: client area exactly the game screen (times an integer scale), not resizable,
// centred; the screen buffer is uploaded to a streaming texture only over the dirty rectangles.
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

  SDL_Window* Handle() const { return window; }
  SDL_Renderer* Renderer() const { return renderer; }
  // Converts window coordinates to game-screen pixels (letterboxing and scale removed).
  SPoint ToGame(int windowX, int windowY) const;
  SPoint ToWindow(int gameX, int gameY) const;

 private:
  int ChooseScale(int width, int height) const;

  int requestedScale;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  int gameWidth = 0, gameHeight = 0;
  bool fullscreen = false;
};
