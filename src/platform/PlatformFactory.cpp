#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/sdl/SdlPlatform.h"

std::unique_ptr<IPlatform> CreatePlatform(const std::string& name, const SPlatformOptions& options,
                                          std::string& error) {
  if (name == "headless") {
    CInputScript script;
    if (!options.inputScript.empty() && !script.Load(options.inputScript, error)) return nullptr;
    auto headless = std::make_unique<CHeadlessPlatform>(std::move(script), options.defaultYes);
    if (!options.audioOut.empty() && !headless->OpenAudioOutput(options.audioOut)) {
      error = "cannot write " + options.audioOut;
      return nullptr;
    }
    return headless;
  }
  if (name == "sdl") {
    auto sdl = std::make_unique<CSdlPlatform>(options.scale);
    if (!sdl->Init(error)) return nullptr;
    return sdl;
  }
  error = "unknown platform backend " + name;
  return nullptr;
}
