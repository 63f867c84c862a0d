#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Geometry.h"

// What the config screen needs of the engine beyond the settings: the display mode, the switch
// variables, the sound channels, the cursor and mouse capture, the dialogs and the text fonts.
// Strings are Shift JIS.
class IConfigHost {
 public:
  virtual ~IConfigHost() = default;

  virtual bool IsFullScreen() const = 0;
  // Switches between full screen and window; the configuration follows the display.
  virtual void ToggleScreenMode() = 0;
  virtual int32_t GetVariable(const std::string& name) const = 0;
  virtual void SetVariable(const std::string& name, int32_t value) = 0;
  virtual void SetChannelVolume(int channel, int volume) = 0;

  virtual SPoint GetCursorPos() = 0;
  virtual void SetCursorPos(int32_t x, int32_t y) = 0;
  virtual void SetCapture(bool capture) = 0;
  // Whether a game file exists (archives first, then loose files).
  virtual bool FileExists(const std::string& path) const = 0;

  // A keyword's current value changed: message text substitutes the new one.
  virtual void SetKeyword(const std::string& key, const std::string& value) = 0;
  // Every keyword returns to the value the settings declare.
  virtual void ResetKeywords() = 0;
  // The five text fonts are made again from the configured face.
  virtual void RecreateFonts() = 0;

  // The engine's dialogs; each answers through its callback, perhaps frames later.
  virtual void OpenTextInput(const std::string& caption, const std::string& label, const std::string& text,
                             size_t maxBytes, bool allowEmpty,
                             std::function<void(bool ok, const std::string& text)> done) = 0;
  virtual void OpenVoiceCategories(const std::vector<std::string>& names, uint32_t mask,
                                   std::function<void(bool ok, uint32_t mask)> done) = 0;
  virtual void OpenFontChoice(const std::string& currentFace,
                              std::function<void(bool ok, const std::string& face)> done) = 0;
};
