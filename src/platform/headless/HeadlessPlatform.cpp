#include "platform/headless/HeadlessPlatform.h"

CHeadlessPlatform::CHeadlessPlatform(CInputScript script, bool defaultYes)
    : dialogs(defaultYes), input(std::move(script), dialogs) {}

void CHeadlessPlatform::BeginFrame(int64_t frame) {
  clock.SetFrame(frame);
  input.BeginFrame(frame);
}
