#include "platform/Viewport.h"

#include <algorithm>
#include <cmath>

#include "platform/ShapeFit.h"

namespace {

SRect Centred(int width, int height, int areaWidth, int areaHeight) {
  const int left = (areaWidth - width) / 2, top = (areaHeight - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace

CViewport::CViewport(EScaling scaling, int gameW, int gameH, int drawableW, int drawableH, int windowW,
                     int windowH)
    : gameWidth(std::max(gameW, 1)),
      gameHeight(std::max(gameH, 1)),
      drawableWidth(std::max(drawableW, 1)),
      drawableHeight(std::max(drawableH, 1)),
      windowWidth(std::max(windowW, 1)),
      windowHeight(std::max(windowH, 1)) {
  const int scale = std::min(drawableWidth / gameWidth, drawableHeight / gameHeight);
  // Smaller than the game screen, no integer scale shows it whole: sharp shrinks as smooth does.
  if (scaling == EScaling::kSharp && scale >= 1)
    destination = Centred(gameWidth * scale, gameHeight * scale, drawableWidth, drawableHeight);
  else
    destination = FitKeepingShape(gameWidth, gameHeight, drawableWidth, drawableHeight);
}

double CViewport::PixelsPerPointX() const { return static_cast<double>(drawableWidth) / windowWidth; }
double CViewport::PixelsPerPointY() const { return static_cast<double>(drawableHeight) / windowHeight; }

SPoint CViewport::ToGame(int windowX, int windowY) const {
  const double x = (windowX * PixelsPerPointX() - destination.left) * gameWidth / destination.Width();
  const double y = (windowY * PixelsPerPointY() - destination.top) * gameHeight / destination.Height();
  return {std::clamp(static_cast<int32_t>(std::floor(x)), 0, gameWidth - 1),
          std::clamp(static_cast<int32_t>(std::floor(y)), 0, gameHeight - 1)};
}

SPoint CViewport::ToWindow(int gameX, int gameY) const {
  const double x = destination.left + (gameX + 0.5) * destination.Width() / gameWidth;
  const double y = destination.top + (gameY + 0.5) * destination.Height() / gameHeight;
  return {static_cast<int32_t>(std::floor(x / PixelsPerPointX())),
          static_cast<int32_t>(std::floor(y / PixelsPerPointY()))};
}

const char* CViewport::Name(EScaling scaling) { return scaling == EScaling::kSharp ? "sharp" : "smooth"; }

std::optional<EScaling> CViewport::Parse(const std::string& name) {
  if (name == "sharp") return EScaling::kSharp;
  if (name == "smooth") return EScaling::kSmooth;
  return std::nullopt;
}
