#include "modes/DateMode.h"

#include <algorithm>

#include "app/GameSystem.h"
#include "gfx/ShapeDraw.h"
#include "io/Path.h"

CDateMode::CDateMode(CGameSystem& g, const std::string& backgroundPath) : CScreenMode(g) {
  if (!background.Load(backgroundPath)) ShowFileError(backgroundPath);
  // A month or day without its picture leaves that place empty.
  const CGameClock& date = game.GameClock();
  pictures[0].Load(NumberPicture(date.month));
  pictures[1].Load("system\\date\\month.png");
  pictures[2].Load(NumberPicture(date.day));
  pictures[3].Load("system\\date\\day.png");
}

std::string CDateMode::NumberPicture(int32_t number) {
  return "system\\date\\day" + std::to_string(number) + ".png";
}

void CDateMode::SetPhase(int32_t newPhase) {
  phase = newPhase;
  counter = 0;
}

int CDateMode::Update(int32_t delta, int32_t, int32_t) {
  game.Display().MarkAllDirty();
  switch (phase) {
    case kOpening:
      // The fully open iris is shown for one frame before the hold begins.
      if (counter == kIrisTicks)
        SetPhase(kHolding);
      else
        counter = std::min(counter + delta, kIrisTicks);
      break;
    case kHolding:
      counter += delta;
      if (counter >= kHoldTicks) SetPhase(kClosing);
      break;
    default:
      if (counter == kIrisTicks) return 0;
      counter = std::min(counter + delta, kIrisTicks);
      break;
  }
  return 1;
}

std::pair<int32_t, int32_t> CDateMode::IrisRadii(int32_t width, int32_t ticksShut) {
  const int32_t outer = static_cast<int32_t>((1.0 - ticksShut / static_cast<double>(kIrisTicks)) * width);
  return {outer, std::max(outer - width / 4, 0)};
}

void CDateMode::Draw(int32_t, int32_t) {
  CDisplay& display = game.Display();
  const SDrawTarget screen = SDrawTarget::Screen(display);
  background.Blit(screen, 0, 0, background.Width(), background.Height(), 0, 0, 0xFFFFFFFF);
  const int32_t top = display.Height() - 160;
  for (size_t i = 0; i < pictures.size(); ++i)
    pictures[i].Blit(screen, 32 + static_cast<int32_t>(i) * kPictureSize, top, kPictureSize, kPictureSize, 0,
                     0, 0xFFFFFFFF);
  if (phase == kHolding) return;
  const int32_t shut = phase == kOpening ? kIrisTicks - counter : counter;
  const auto [outer, inner] = IrisRadii(display.Width(), shut);
  shapes::DrawIris(screen, 0, inner, outer);
}
