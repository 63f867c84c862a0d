#pragma once
#include <optional>
#include <string>

#include "platform/Geometry.h"

// How the game picture fills a window larger than the game screen: the largest integer scale,
// centred (sharp pixels), or as large as fits with its proportions kept, letterboxed (smooth).
enum class EScaling { kSharp, kSmooth };

// Where the game picture goes in a window and how points map between window and game pixels.
// The drawable size (render pixels) decides the scale; the window size (in the desktop's points,
// smaller on a hi-DPI desktop) is what mouse positions are given in.
class CViewport {
 public:
  CViewport(EScaling scaling, int gameWidth, int gameHeight, int drawableWidth, int drawableHeight,
            int windowWidth, int windowHeight);

  // The picture's rectangle in drawable pixels.
  const SRect& Destination() const { return destination; }
  // The game pixel under a window point; points over the black bars give the nearest edge pixel.
  SPoint ToGame(int windowX, int windowY) const;
  // The window point over the centre of a game pixel.
  SPoint ToWindow(int gameX, int gameY) const;

  static const char* Name(EScaling scaling);
  static std::optional<EScaling> Parse(const std::string& name);

 private:
  // Drawable pixels per window point, horizontally and vertically.
  double PixelsPerPointX() const;
  double PixelsPerPointY() const;

  int gameWidth, gameHeight;
  int drawableWidth, drawableHeight;
  int windowWidth, windowHeight;
  SRect destination;
};
