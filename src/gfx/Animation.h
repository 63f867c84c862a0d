#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "gfx/AnimationFile.h"
#include "gfx/Surface.h"
#include "platform/Geometry.h"

class IPictureHost;

// A timed linear movement of a picture, as kept in save files.
struct SPictureMove {
  int32_t fromX = 0, fromY = 0;
  int32_t toX = 0, toY = 0;
  int32_t elapsed = 0;
  int32_t duration = 0;  // 0: no movement
  bool loop = false;
};

// A shown picture: one plain image or an `.anm` animation of sprite frames, with its placement (position,
// scale, mirror, tiling), a movement, the blinking of eye sprites, the lip-sync of mouth sprites and an
// optional colour map for hit testing. Every drawing goes through the host's draw-image operation.
class CAnimation {
 public:
  static constexpr int kBlinkTimers = 16;

  CAnimation(IPictureHost& host, int32_t layer, int32_t priority);

  // Loads an `.anm` animation or a plain image (at the given scale), and the colour map when named.
  void Create(const std::string& name, const std::string& colorMap, float scale);
  void SetPlacement(int32_t x, int32_t y, float scale, bool mirror, bool tile);
  // Advances blink timers, movement and time by ticks, marking what changes.
  void Update(int32_t ticks);
  // Draws at offset (ox, oy) with a colour; mouth and key drive the lip-sync; which goes to the
  // draw-image operation.
  void Draw(int32_t ox, int32_t oy, uint32_t colour, int32_t mouth, int32_t key, int32_t which) const;
  void MarkDirty() const;
  void Move(int32_t dx, int32_t dy, int32_t duration, bool loop);
  // False when no movement runs.
  bool GetMove(SPictureMove& move) const;
  void SetMove(const SPictureMove& move);
  void SetColorMode(int mode);
  // The colour map's pixel (0x00BBGGRR) under the screen point; false without a map or outside it.
  bool HitTestColorMap(int32_t x, int32_t y, uint32_t& colour) const;
  // Repeats an animation without a loop point from its start.
  void LoopFromStart() { file.LoopFromStart(); }

  // The picture and colour map files as Create was given them (for save files).
  const std::string& FileName() const { return fileName; }
  const std::string& ColorMapName() const { return colorMapName; }
  int32_t Layer() const { return layer; }
  int32_t Priority() const { return priority; }
  int32_t Width() const { return width; }
  int32_t Height() const { return height; }
  int32_t X() const { return x; }
  int32_t Y() const { return y; }
  float Scale() const { return scale; }
  bool IsMirrored() const { return mirror; }
  int32_t ColorMode() const { return colorMode; }
  int64_t CurrentTime() const { return currentTime; }
  // A loaded save puts an animation back at the time it had; the frame shown changes with it.
  void SetCurrentTime(int64_t time);
  int64_t LoopPoint() const { return file.LoopPoint(); }
  int32_t BlinkTimer(int index) const { return blink[index]; }
  void SetBlinkTimer(int index, int32_t value) { blink[index] = value; }
  bool IsAnimation() const { return isAnimation; }
  // The screen rectangle of a sprite (or of the whole picture for null), before any draw offset.
  SRect SpriteRect(const SAnimationSprite* sprite) const;

 private:
  int32_t NewBlinkTime() const;
  void MarkSprites(const SAnimationFrame* frame, bool normal, bool cells) const;
  void StepMovement(int32_t ticks);
  // Draws the picture once with its top-left at (left, top).
  void DrawAt(float left, float top, uint32_t colour, int32_t mouth, int32_t key, int32_t which) const;
  void DrawSprite(const SAnimationSprite& sprite, float left, float top, uint32_t colour, int32_t mouth,
                  int32_t key, int32_t which) const;
  int32_t Cell(const SAnimationSprite& sprite, uint32_t colour, int32_t mouth, int32_t key) const;

  IPictureHost& host;
  int32_t layer;
  int32_t priority;
  std::string fileName;
  std::string colorMapName;
  bool isAnimation = false;
  CSurface image;
  CAnimationFile file;
  CSurface colorMapImage;
  int32_t width = 0;
  int32_t height = 0;
  int64_t currentTime = 0;
  std::array<int32_t, kBlinkTimers> blink{};
  int32_t x = 0;
  int32_t y = 0;
  float scale = 1.0f;
  bool mirror = false;
  bool tile = false;
  int32_t colorMode = 0;
  SPictureMove move;
};
