#include "gfx/LayerSet.h"

#include <algorithm>
#include <cmath>

#include "gfx/Display.h"
#include "gfx/PictureHost.h"
#include "gfx/TransitionMask.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFu;

uint32_t WhiteWithAlpha(int32_t alpha) {
  return kWhite | static_cast<uint32_t>(std::clamp(alpha, 0, 255)) << 24;
}

}  // namespace

CLayerSet::CLayerSet(IPictureHost& host) : host(host), effect(host, *this) {}

void CLayerSet::ShowImage(const SLayerImage& image) {
  if (!IsLayer(image.layer)) return;
  CLayer& layer = layers[static_cast<size_t>(image.layer)];
  layer.SetMask(image.mask, image.maskGradation);
  std::unique_ptr<CAnimation> picture;
  if (!image.src.empty()) {
    picture = CreatePicture(image.layer, image.src, image.click, image.zoom, image.loop, image.priority);
    picture->SetPlacement(image.x, image.y, picture->Scale(), image.flipX, false);
  }
  layer.PushPicture(std::move(picture));
  layer.StartTransition(image.transition, image.duration);
  host.Display().MarkAllDirty();
}

std::unique_ptr<CAnimation> CLayerSet::CreatePicture(int32_t layer, const std::string& src,
                                                     const std::string& click, int32_t zoom, bool loop,
                                                     int32_t priority) const {
  const float scale = static_cast<float>(zoom) * 0.01f;
  auto picture = std::make_unique<CAnimation>(host, layer, priority);
  picture->Create(src, click, scale);
  picture->SetPlacement(0, 0, scale, false, false);
  if (loop) picture->LoopFromStart();
  if (colorMap != 0) picture->SetColorMode(colorMap);
  return picture;
}

bool CLayerSet::GetPicture(int32_t index, bool previous, SLayerPicture& saved) const {
  if (!IsLayer(index)) return false;
  const CAnimation* picture = previous ? Layer(index).Previous() : Layer(index).Current();
  if (!picture) return false;
  saved.src = picture->FileName();
  saved.click = picture->ColorMapName();
  saved.x = picture->X();
  saved.y = picture->Y();
  saved.zoom = static_cast<int32_t>(std::lround(picture->Scale() * 100.0f));
  saved.flags = (picture->IsMirrored() ? SLayerPicture::kMirrored : 0) |
                (picture->LoopPoint() == 0 ? SLayerPicture::kLoopFromStart : 0);
  saved.priority = picture->Priority();
  saved.time = static_cast<int32_t>(picture->CurrentTime());
  saved.colorMode = picture->ColorMode();
  saved.moving = picture->GetMove(saved.move);
  return true;
}

std::unique_ptr<CAnimation> CLayerSet::RestorePicture(int32_t index, const SLayerPicture& saved) const {
  auto picture = CreatePicture(index, saved.src, saved.click, saved.zoom,
                               (saved.flags & SLayerPicture::kLoopFromStart) != 0, saved.priority);
  picture->SetPlacement(saved.x, saved.y, picture->Scale(), (saved.flags & SLayerPicture::kMirrored) != 0,
                        false);
  if (saved.colorMode != picture->ColorMode()) picture->SetColorMode(saved.colorMode);
  picture->SetCurrentTime(saved.time);
  if (saved.moving) picture->SetMove(saved.move);
  return picture;
}

void CLayerSet::RestorePictures(int32_t index, const SLayerPicture* previous, const SLayerPicture* current) {
  if (!IsLayer(index)) return;
  CLayer& layer = Layer(index);
  layer.Clear();
  if (previous) layer.PushPicture(RestorePicture(index, *previous));
  layer.PushPicture(current ? RestorePicture(index, *current) : nullptr);
  host.Display().MarkAllDirty();
}

void CLayerSet::ScrollLayer(int32_t index, int32_t dx, int32_t dy, int32_t ticks, bool loop) {
  if (IsLayer(index) && Layer(index).Current()) Layer(index).Current()->Move(dx, dy, ticks, loop);
}

void CLayerSet::AdvanceTransitions(int32_t usedTicks) {
  for (CLayer& layer : layers)
    if (layer.AdvanceTransition(usedTicks)) host.Display().MarkAllDirty();
}

void CLayerSet::CompleteTransitions() {
  for (CLayer& layer : layers) {
    if (!layer.Transition().IsRunning()) continue;
    layer.EndTransition();
    host.Display().MarkAllDirty();
  }
}

bool CLayerSet::AnyTransitionRunning() const {
  return std::any_of(layers.begin(), layers.end(),
                     [](const CLayer& l) { return l.Transition().IsRunning(); });
}

void CLayerSet::SetSpeaker(int32_t layer, int32_t key) {
  speakingLayer = layer;
  speakerKey = key;
}

void CLayerSet::SetOpacity(int32_t index, int32_t opacity) {
  if (!IsLayer(index)) return;
  Layer(index).SetOpacity(opacity);
  host.Display().MarkAllDirty();
}

bool CLayerSet::HitTestColorMap(int32_t index, int32_t x, int32_t y, uint32_t& colour) const {
  if (!IsLayer(index) || !Layer(index).Current()) return false;
  return Layer(index).Current()->HitTestColorMap(x, y, colour);
}

void CLayerSet::Clear() {
  effect.SetEffect(CScreenEffect::kNone);
  for (CLayer& layer : layers) layer.Clear();
  colorMap = 0;
  speakingLayer = -1;
  mouth = 0;
  host.Display().MarkAllDirty();
}

void CLayerSet::Update(int32_t ticks) {
  for (CLayer& layer : layers) {
    if (layer.Current()) layer.Current()->Update(ticks);
    if (layer.Previous()) layer.Previous()->Update(ticks);
  }
  effect.UpdateEffect(ticks);
}

void CLayerSet::MarkFrameDirty() {
  CDisplay& display = host.Display();
  if (effect.Effect() != CScreenEffect::kNone) display.MarkAllDirty();
  for (const CLayer& layer : layers) {
    const CTransition& t = layer.Transition();
    if (!t.IsRunning()) continue;
    if (t.StaysInPlace()) {
      layer.MarkDirty();
    } else {
      display.MarkAllDirty();
    }
  }
}

bool CLayerSet::AnythingDirty() const {
  const CDisplay& display = host.Display();
  for (int row = 0; row < display.Height(); ++row)
    if (display.Span(row).left < display.Span(row).right) return true;
  return false;
}

void CLayerSet::DrawScene() {
  if (!AnythingDirty()) return;
  if (!effect.DrawsWholeScene()) DrawLayers();
  effect.DrawOverlay();
}

void CLayerSet::DrawLayers() {
  for (int32_t pass = 0; pass < 2; ++pass) {
    for (int32_t index = 0; index < kLayerCount; ++index) {
      DrawLayer(index, pass);
      if (pass == 0 && index == 0) effect.DrawParticles();
    }
  }
}

void CLayerSet::DrawLayer(int32_t index, int32_t pass) {
  const CLayer& layer = Layer(index);
  const CAnimation* current = layer.Current();
  const CAnimation* previous = layer.Previous();
  if (!layer.Transition().IsRunning()) {
    if (current && current->Priority() == pass)
      current->Draw(0, 0, 0xFFFFFFFF, index == speakingLayer ? mouth : 0, speakerKey, 1);
    return;
  }
  if (layer.Transition().IsMask() && current && previous && current->Priority() == previous->Priority()) {
    if (current->Priority() == pass) DrawMaskPair(index);
    return;
  }
  if (previous && previous->Priority() == pass)
    DrawTransitionPicture(*previous, index, 0, current != nullptr);
  if (current && current->Priority() == pass) DrawTransitionPicture(*current, index, 1, previous != nullptr);
}

void CLayerSet::DrawTransitionPicture(const CAnimation& picture, int32_t index, int32_t which,
                                      bool otherPresent) {
  const CTransition& t = Layer(index).Transition();
  const CDisplay& display = host.Display();
  if (t.IsMask()) {
    DrawMaskedPicture(picture, index, which);
    return;
  }
  if (t.IsTrail()) {
    for (const CTransition::SPlacement& copy :
         t.TrailCopies(which, host.WaitElapsed(), host.WaitLength(), display.Width()))
      picture.Draw(copy.x, copy.y, WhiteWithAlpha(copy.alpha), 0, speakerKey, which);
    return;
  }
  const CTransition::SPlacement place = t.Place(which, otherPresent, display.Width(), display.Height());
  picture.Draw(place.x, place.y, WhiteWithAlpha(place.alpha), 0, speakerKey, which);
}

void CLayerSet::SaveScreen() {
  const CDisplay& display = host.Display();
  saved.assign(display.Pixels(), display.Pixels() + static_cast<size_t>(display.Width()) * display.Height());
}

void CLayerSet::DrawMaskedPicture(const CAnimation& picture, int32_t index, int32_t which) {
  const CLayer& layer = Layer(index);
  if (layer.Mask().IsEmpty()) return;
  SaveScreen();
  picture.Draw(0, 0, 0xFFFFFFFF, 0, speakerKey, which);
  const bool negative = layer.Transition().Number() == CTransition::kMaskNegative;
  CTransitionMask::Blend(
      Target(), saved.data(), layer.Mask(),
      CTransitionMask::Thresholds(negative, layer.Gradation(), layer.Transition().Progress(), which == 0));
}

void CLayerSet::DrawMaskPair(int32_t index) {
  const CLayer& layer = Layer(index);
  if (layer.Mask().IsEmpty()) return;
  SaveScreen();
  intoSaved = true;
  layer.Previous()->Draw(0, 0, 0xFFFFFFFF, 0, speakerKey, 0);
  intoSaved = false;
  layer.Current()->Draw(0, 0, 0xFFFFFFFF, 0, speakerKey, 1);
  const bool negative = layer.Transition().Number() == CTransition::kMaskNegative;
  CTransitionMask::Blend(
      Target(), saved.data(), layer.Mask(),
      CTransitionMask::Thresholds(negative, layer.Gradation(), layer.Transition().Progress(), false));
}

SDrawTarget CLayerSet::Target() {
  SDrawTarget screen = SDrawTarget::Screen(host.Display());
  if (intoSaved) screen.pixels = saved.data();
  return screen;
}

void CLayerSet::DrawImage(const SImageDraw& request) {
  if (!request.surface) return;
  const SDrawTarget target = Target();
  SImageDraw draw = request;
  const bool onLayer = IsLayer(draw.layer);
  if (onLayer) {
    const uint32_t o = static_cast<uint32_t>(Layer(draw.layer).Opacity());
    if (o != 255) draw.colour = (draw.colour & 0xFFFFFFu) | (o * (draw.colour >> 24) / 255) << 24;
  }
  if (effect.DrawDistorted(draw, target)) return;
  const CDisplay& display = host.Display();
  if (onLayer && Layer(draw.layer).Transition().DrawShape(draw, target, display.Width(), display.Height()))
    return;
  DrawImagePlain(draw, target);
}
