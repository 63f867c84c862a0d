#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Surface.h"

class CReadFile;

// A sprite of an animation frame: a rectangle of an image placed inside the animation.
struct SAnimationSprite {
  enum EType : int32_t { kNormal = 0, kEye = 1, kMouth = 2 };

  int32_t destX = 0, destY = 0;
  int32_t srcX = 0, srcY = 0;
  int32_t width = 0, height = 0;
  int32_t stepX = 0, stepY = 0;  // from one eye or mouth cell to the next in the image
  const CSurface* image = nullptr;
  int32_t type = kNormal;
  int32_t alpha = 256;  // 0-256
  int32_t id = 0;       // EYE: blink timer; MOUTH: speaker key
};

struct SAnimationFrame {
  int32_t duration = 0;  // ticks
  std::vector<SAnimationSprite> sprites;
};

// The contents of an `.anm` file: frames of sprites, the animation size, the loop point and the images
// the sprites share (each file loaded once, at scale 1).
class CAnimationFile {
 public:
  // Parses the file (names inside resolved against its folder). A missing file gives no frames.
  void Load(const std::string& name, int32_t screenWidth, int32_t screenHeight);

  // The frame shown at time t (ticks since the start); null when there are no frames.
  const SAnimationFrame* FrameAt(int64_t t) const;
  // Applies a colour mode to every image.
  void ApplyColorMode(int mode);

  const std::vector<SAnimationFrame>& Frames() const { return frames; }
  int32_t Width() const { return width; }
  int32_t Height() const { return height; }
  int64_t TotalTime() const { return totalTime; }
  int64_t LoopPoint() const { return loopPoint; }
  // Makes an animation without a loop point repeat from the start.
  void LoopFromStart() {
    if (loopPoint < 0) loopPoint = 0;
  }

 private:
  void Parse(CReadFile& file);
  void ParseFrame(CReadFile& file);
  void ParseSprite(CReadFile& file, SAnimationSprite& sprite);
  const CSurface* CachedImage(const std::string& name);

  std::vector<SAnimationFrame> frames;
  std::map<std::string, std::unique_ptr<CSurface>> images;
  int32_t width = 0;
  int32_t height = 0;
  int64_t totalTime = 0;
  int64_t loopPoint = -1;
};
