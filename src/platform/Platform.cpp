#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::unique_ptr<IPlatform>& Slot() {
  static std::unique_ptr<IPlatform> platform;
  return platform;
}
}  // namespace

IPlatform& ThePlatform() {
  if (!Slot()) {
    std::fputs("zel: no platform backend installed\n", stderr);
    std::abort();
  }
  return *Slot();
}

void InstallPlatform(std::unique_ptr<IPlatform> platform) { Slot() = std::move(platform); }

bool HasPlatform() { return Slot() != nullptr; }

IFontRasterizer* IPlatform::Fonts() {
  if (!fontsTried) {
    fontsTried = true;
    fonts = CreateFontRasterizer();
  }
  return fonts.get();
}
