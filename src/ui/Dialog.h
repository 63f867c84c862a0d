#pragma once
#include <cstdint>
#include <string>

#include "platform/Geometry.h"

// One modal dialog of the dialog layer. Input handlers say whether the dialog stays open or was
// answered; a dialog marks on the screen what its own changes show, the layer marks its area when
// it opens and closes. Finish reports the answer to whoever opened it, after the dialog has left the
// layer (so the report may open the next dialog).
class CDialog {
 public:
  enum class EResult { kOpen, kOk, kCancel };

  virtual ~CDialog() = default;
  // The screen area the dialog covers.
  virtual SRect Bounds() const = 0;
  // The text field that takes typed text while the dialog is open; empty when there is none.
  virtual SRect TextField() const { return {}; }

  virtual void OnMouseMove(int32_t x, int32_t y) = 0;
  virtual EResult OnLButtonDown(int32_t x, int32_t y) = 0;
  virtual EResult OnLButtonUp(int32_t x, int32_t y) = 0;
  virtual void OnMouseWheel(int32_t /*notches*/) {}
  virtual EResult OnKeyDown(uint32_t key, bool firstPress) = 0;
  // Committed text and the input method's composition (UTF-8).
  virtual EResult OnTextInput(const std::string& /*utf8*/) { return EResult::kOpen; }
  virtual void OnTextEditing(const std::string& /*utf8*/, int32_t /*cursor*/) {}

  virtual void Draw() = 0;
  virtual void Finish(bool ok) = 0;
};
