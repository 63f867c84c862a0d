#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "gfx/Animation.h"
#include "gfx/Surface.h"
#include "gfx/Transition.h"

// One of the seven image layers: its current picture, the previous picture kept while a transition
// runs, the transition, the mask image of the mask transitions and the layer opacity.
class CLayer {
 public:
  CAnimation* Current() const { return current.get(); }
  CAnimation* Previous() const { return previous.get(); }
  const CTransition& Transition() const { return transition; }
  const CSurface& Mask() const { return mask; }
  const std::string& MaskName() const { return maskName; }
  int32_t Gradation() const { return gradation; }
  int32_t Opacity() const { return opacity; }
  void SetOpacity(int32_t value);

  // Replaces the mask image (none for an empty name) and the gradation (0-100).
  void SetMask(const std::string& name, int32_t maskGradation);
  // The current picture becomes the previous one (an older previous one is dropped).
  void PushPicture(std::unique_ptr<CAnimation> picture);
  void StartTransition(int32_t number, int32_t duration);
  // A transition of a loaded save, already elapsed ticks into its duration.
  void RestoreTransition(int32_t number, int32_t elapsed, int32_t duration);
  // Adds used ticks to a running transition; true when it ended now.
  bool AdvanceTransition(int32_t ticks);
  // The transition stops; the previous picture and the mask are released.
  void EndTransition();
  // Every picture, the mask and the transition released; opacity back to 255.
  void Clear();
  // Marks the rectangles of both pictures dirty.
  void MarkDirty() const;

 private:
  std::unique_ptr<CAnimation> current;
  std::unique_ptr<CAnimation> previous;
  CTransition transition;
  CSurface mask;
  std::string maskName;
  int32_t gradation = 0;
  int32_t opacity = 255;
};
