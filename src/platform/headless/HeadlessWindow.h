#pragma once
#include "platform/Window.h"

// A window that exists only as a size and a mode; the screen buffer itself is what gets captured.
class CHeadlessWindow : public IWindow {
 public:
  bool Create(const std::string& titleSjis, int w, int h, bool fullscreenMode) override {
    title = titleSjis;
    width = w;
    height = h;
    fullscreen = fullscreenMode;
    return true;
  }
  void Destroy() override {}
  void SetTitle(const std::string& titleSjis) override { title = titleSjis; }
  bool SetFullscreen(bool value) override {
    fullscreen = value;
    return true;
  }
  bool IsFullscreen() const override { return fullscreen; }
  EPresentState GetPresentState() override { return EPresentState::kReady; }
  void Present(const uint32_t*, int, int, std::span<const SRect>) override { ++presentCount; }
  void Raise() override {}

  const std::string& Title() const { return title; }
  int PresentCount() const { return presentCount; }

 private:
  std::string title;
  int width = 0, height = 0;
  bool fullscreen = false;
  int presentCount = 0;
};
