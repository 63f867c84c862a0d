#include "gfx/Layer.h"

#include <algorithm>

void CLayer::SetOpacity(int32_t value) { opacity = std::clamp(value, 0, 255); }

void CLayer::SetMask(const std::string& name, int32_t maskGradation) {
  mask.Clear();
  maskName = name;
  if (!name.empty() && mask.Load(name, 1.0f)) mask.AlphaFromBrightness();
  gradation = std::clamp(maskGradation, 0, 100);
}

void CLayer::PushPicture(std::unique_ptr<CAnimation> picture) {
  previous = std::move(current);
  current = std::move(picture);
}

void CLayer::StartTransition(int32_t number, int32_t duration) {
  if (number == CTransition::kNone) {
    EndTransition();
    return;
  }
  transition.Start(number, duration);
}

void CLayer::RestoreTransition(int32_t number, int32_t elapsed, int32_t duration) {
  StartTransition(number, duration);
  if (elapsed > 0) AdvanceTransition(elapsed);
}

bool CLayer::AdvanceTransition(int32_t ticks) {
  if (!transition.IsRunning() || !transition.Advance(ticks)) return false;
  EndTransition();
  return true;
}

void CLayer::EndTransition() {
  transition.Stop();
  previous.reset();
  mask.Clear();
  maskName.clear();
}

void CLayer::Clear() {
  EndTransition();
  current.reset();
  opacity = 255;
  gradation = 0;
}

void CLayer::MarkDirty() const {
  if (current) current->MarkDirty();
  if (previous) previous->MarkDirty();
}
