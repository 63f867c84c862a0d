#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/DrawTarget.h"
#include "gfx/ImageDrawer.h"
#include "gfx/Layer.h"
#include "gfx/ScreenEffect.h"

class IPictureHost;

// What an IMG command puts on a layer; the transition and duration are final (effects-off and
// skipping already applied by the command).
struct SLayerImage {
  int32_t layer = 0;
  std::string src, click, mask;
  int32_t transition = 0;
  int32_t duration = 0;
  int32_t x = 0, y = 0;
  int32_t zoom = 100;  // percent
  bool flipX = false;
  bool loop = false;
  int32_t priority = 0;
  int32_t maskGradation = 0;
};

// A layer picture as a save file keeps it: what IMG gave it (files, position, zoom, mirror, loop,
// priority), its colour mode, the time of its animation and its movement.
struct SLayerPicture {
  static constexpr int32_t kMirrored = 1, kLoopFromStart = 2;
  std::string src, click;
  int32_t x = 0, y = 0;
  int32_t zoom = 100;
  int32_t flags = 0;
  int32_t priority = 0;
  int32_t time = 0;
  int32_t colorMode = 0;
  bool moving = false;
  SPictureMove move;
};

// The seven image layers ("BG", "PERSON1" to "PERSON6") with their transitions, and the screen effect
// drawn with them. It is the engine's draw-image operation: every picture passes through DrawImage,
// which applies layer opacity, the effect's distortions and the transition shapes.
class CLayerSet : public IImageDrawer {
 public:
  static constexpr int kLayerCount = 7;

  explicit CLayerSet(IPictureHost& host);

  // IMG: replaces the layer's picture, starting its transition.
  void ShowImage(const SLayerImage& image);
  // COLORMAP: the colour mode given to every picture created afterwards.
  void SetColorMap(int32_t mode) { colorMap = mode; }
  int32_t ColorMap() const { return colorMap; }
  // SCROLL: a timed movement of the layer's current picture.
  void ScrollLayer(int32_t layer, int32_t dx, int32_t dy, int32_t ticks, bool loop);
  // The used time of a script step; transitions that reach their end release the previous picture.
  void AdvanceTransitions(int32_t usedTicks);
  // Skipping: every transition ends at once.
  void CompleteTransitions();
  bool AnyTransitionRunning() const;
  // The speaking layer (-1 none) with its speaker key, and the mouth cell 0-2 of the lip-sync.
  void SetSpeaker(int32_t layer, int32_t key);
  void SetMouth(int32_t cell) { mouth = cell; }
  int32_t SpeakingLayer() const { return speakingLayer; }
  int32_t SpeakerKey() const { return speakerKey; }
  void SetOpacity(int32_t layer, int32_t opacity);
  // The click map of the layer's current picture at a screen point (0x00BBGGRR).
  bool HitTestColorMap(int32_t layer, int32_t x, int32_t y, uint32_t& colour) const;
  // The current (or previous) picture of a layer; false when there is none.
  bool GetPicture(int32_t layer, bool previous, SLayerPicture& picture) const;
  // A loaded save: the layer gets its previous picture (only while a transition runs) and its
  // current picture, each rebuilt from its files and set back to its saved state.
  void RestorePictures(int32_t layer, const SLayerPicture* previous, const SLayerPicture* current);
  // Every layer emptied (game reset) and the effect switched off.
  void Clear();

  // One frame: animations and effect advance; what changes is marked; the scene is drawn.
  void Update(int32_t ticks);
  void MarkFrameDirty();
  // The layers (unless a blur stands in for them) and the effect overlay, when anything is dirty.
  void DrawScene();
  // The seven layers in two priority passes, particles right after the background.
  void DrawLayers();
  void DrawImage(const SImageDraw& draw) override;

  CLayer& Layer(int32_t index) { return layers[static_cast<size_t>(index)]; }
  const CLayer& Layer(int32_t index) const { return layers[static_cast<size_t>(index)]; }
  CScreenEffect& Effect() { return effect; }

 private:
  static bool IsLayer(int32_t index) { return index >= 0 && index < kLayerCount; }
  std::unique_ptr<CAnimation> CreatePicture(int32_t layer, const std::string& src, const std::string& click,
                                            int32_t zoom, bool loop, int32_t priority) const;
  std::unique_ptr<CAnimation> RestorePicture(int32_t layer, const SLayerPicture& saved) const;
  void DrawLayer(int32_t index, int32_t pass);
  void DrawTransitionPicture(const CAnimation& picture, int32_t index, int32_t which, bool otherPresent);
  void DrawMaskedPicture(const CAnimation& picture, int32_t index, int32_t which);
  void DrawMaskPair(int32_t index);
  void SaveScreen();
  bool AnythingDirty() const;

  IPictureHost& host;
  std::array<CLayer, kLayerCount> layers;
  CScreenEffect effect;
  int32_t colorMap = 0;
  int32_t speakingLayer = -1;
  int32_t speakerKey = 0;
  int32_t mouth = 0;
  // Where pictures are drawn: the screen, or the saved copy while a mask pair draws its previous picture.
  SDrawTarget Target();

  bool intoSaved = false;
  std::vector<uint32_t> saved;
};
