#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Dialog.h"

class CDisplay;
class CFontSet;
class CTextFont;
class IInput;

// The engine's own modal dialogs, drawn over everything with the game's fonts. While one is open it
// takes the mouse and the keys; it never blocks the frame loop: the answer comes back through the
// callback given when it was opened. Opening a dialog while another is open cancels the other.
class CDialogLayer {
 public:
  CDialogLayer(CDisplay& display, CFontSet& fonts, IInput& input);
  ~CDialogLayer();

  bool IsOpen() const { return current != nullptr; }
  // Text input (caption, label, initial text, byte limit counted in Shift JIS, whether an empty text
  // may be confirmed). done(true, text) on OK, done(false, "") on Cancel or Escape. Text is Shift JIS.
  void OpenTextInput(const std::string& caption, const std::string& label, const std::string& text,
                     size_t maxBytes, bool allowEmpty,
                     std::function<void(bool ok, const std::string& text)> done);

  void OnMouseMove(int32_t x, int32_t y);
  void OnLButtonDown(int32_t x, int32_t y);
  void OnLButtonUp(int32_t x, int32_t y);
  void OnMouseWheel(int32_t notches);
  void OnKeyDown(uint32_t key, bool firstPress);
  void OnTextInput(const std::string& utf8);
  void OnTextEditing(const std::string& utf8, int32_t cursor);
  // Draws the open dialog last in the frame, into the dirty spans.
  void Draw();

 private:
  void Open(std::unique_ptr<CDialog> dialog);
  // An answered dialog leaves the layer, its area is redrawn and its callback runs.
  void Handle(CDialog::EResult result);
  CTextFont& Font();

  CDisplay& display;
  CFontSet& fonts;
  IInput& input;
  std::unique_ptr<CDialog> current;
};
