#include "ui/KeyWaitIcon.h"

#include <algorithm>

#include "gfx/Animation.h"
#include "gfx/Display.h"
#include "gfx/DrawTarget.h"
#include "gfx/Surface.h"

namespace {

// Ticks of 1/60 s counted the way the frame clock counts them: each millisecond reading floored.
int64_t TickOf(uint32_t ms) { return static_cast<int64_t>(ms) * 60 / 1000; }

}  // namespace

void CKeyWaitIcon::SetPictures(CAnimation* anm, const CSurface* image) {
  animation = anm;
  strip = image;
  shown = false;
}

void CKeyWaitIcon::Update(CDisplay& display, bool show, SPoint at, uint32_t milliseconds) {
  if (animation)
    UpdateAnimation(show, at, milliseconds);
  else
    UpdateStrip(display, show && strip, at, milliseconds);
}

void CKeyWaitIcon::UpdateAnimation(bool show, SPoint at, uint32_t milliseconds) {
  const bool moved = !(at == corner);
  if (shown && (!show || moved)) animation->MarkDirty();
  if (show) {
    // The animation runs only while it is shown: the ticks since it was last shown, at most 10.
    const int64_t ticks = shown ? TickOf(milliseconds) - TickOf(lastTime) : kMostTicks;
    animation->SetPlacement(at.x - animation->Width(), at.y - animation->Height(), 1.0f, false, false);
    if (!shown || moved) animation->MarkDirty();
    animation->Update(static_cast<int32_t>(std::clamp<int64_t>(ticks, 0, kMostTicks)));
    lastTime = milliseconds;
  }
  shown = show;
  corner = at;
}

void CKeyWaitIcon::UpdateStrip(CDisplay& display, bool show, SPoint at, uint32_t milliseconds) {
  const int next = static_cast<int>(milliseconds / kStripFrameTime % kStripFrames);
  if (show == shown && (!show || (next == frame && at == corner))) return;
  display.MarkDirty(StripRect());
  shown = show;
  corner = at;
  frame = next;
  display.MarkDirty(StripRect());
}

SRect CKeyWaitIcon::StripRect() const {
  if (!shown || animation) return {};
  return {corner.x - kStripSize, corner.y - kStripSize, corner.x, corner.y};
}

void CKeyWaitIcon::Draw(CDisplay& display) const {
  if (!shown) return;
  if (animation) {
    animation->Draw(0, 0, 0xFFFFFFFF, 0, 0, 1);
    return;
  }
  const SRect icon = StripRect();
  strip->Blit(SDrawTarget::Screen(display), icon.left, icon.top, kStripSize, kStripSize, frame * kStripSize,
              kStripRow, 0xFFFFFFFF);
}
