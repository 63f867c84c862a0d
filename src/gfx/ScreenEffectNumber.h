#pragma once
#include <cstdint>

// The screen effects by number, as the SCREEN command names them.
namespace screeneffect {

enum ENumber : int32_t {
  kNone = 0,
  kFade = 1,
  kWipeScrollUp = 2,
  kWipeScrollDown = 3,
  kWipeScrollLeft = 4,
  kWipeScrollRight = 5,
  kWipeBlindUp = 6,
  kWipeBlindDown = 7,
  kWipeBlindLeft = 8,
  kWipeBlindRight = 9,
  kWipeScaleUp = 10,
  kWipeScaleDown = 11,
  kWipeScaleLeft = 12,
  kWipeScaleRight = 13,
  kWipeSpot = 14,
  kMosaic = 15,
  kBlur = 16,
  kBlurZoom = 17,
  kBlurHorz = 18,
  kFlash = 19,
  kNegative = 20,
  kRaster = 21,
  kHaze = 22,
  kVibrationHorz = 23,
  kVibrationVert = 24,
  kVibrationRand = 25,
  kRotateLeft = 26,
  kRotateRight = 27,
  kWarpLeft = 28,
  kWarpRight = 29,
  kRipple = 30,
  kRain = 31,
  kSnow = 32,
  kSakura = 33,
  kEffectCount = 34,
};

}  // namespace screeneffect
