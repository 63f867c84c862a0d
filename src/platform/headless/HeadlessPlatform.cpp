#include "platform/headless/HeadlessPlatform.h"

#include "platform/headless/HeadlessAudioDevice.h"

CHeadlessPlatform::CHeadlessPlatform(CInputScript script, bool defaultYes)
    : dialogs(defaultYes),
      input(std::move(script), dialogs),
      audio(std::make_unique<CHeadlessAudioDevice>()) {}

CHeadlessPlatform::~CHeadlessPlatform() { audio->CloseOutput(); }

bool CHeadlessPlatform::OpenAudioOutput(const std::string& path) { return audio->OpenOutput(path); }
bool CHeadlessPlatform::CloseAudioOutput() { return audio->CloseOutput(); }

IAudioDevice& CHeadlessPlatform::Audio() { return *audio; }

void CHeadlessPlatform::BeginFrame(int64_t frame) { input.BeginFrame(frame); }

void CHeadlessPlatform::AdvanceClock(int64_t frame) {
  clock.SetFrame(frame);
  audio->AdvanceTo(clock.GetTickCount());
}
