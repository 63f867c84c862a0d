#pragma once
#include <functional>
#include <string>

#include "ui/Dialog.h"
#include "ui/DialogFrame.h"
#include "ui/TextInputBuffer.h"

// The name dialog: a caption, a label and one edit field of at most maxBytes Shift JIS bytes, with
// OK and "ｷｬﾝｾﾙ". OK (button or Enter) is refused while the field is empty unless empty text is
// allowed. While the input method composes, Enter, Escape and the editing keys belong to it.
class CTextInputDialog : public CDialog {
 public:
  using Done = std::function<void(bool ok, const std::string& text)>;

  CTextInputDialog(CDisplay& display, CTextFont& font, const std::string& caption, const std::string& label,
                   const std::string& text, size_t maxBytes, bool allowEmpty, Done done);

  SRect Bounds() const override { return frame.Bounds(); }
  SRect TextField() const override { return field; }
  void OnMouseMove(int32_t x, int32_t y) override { frame.OnMouseMove(x, y); }
  EResult OnLButtonDown(int32_t x, int32_t y) override;
  EResult OnLButtonUp(int32_t x, int32_t y) override;
  EResult OnKeyDown(uint32_t key, bool firstPress) override;
  EResult OnTextInput(const std::string& utf8) override;
  void OnTextEditing(const std::string& utf8, int32_t cursor) override;
  void Draw() override;
  void Finish(bool ok) override;

  const CTextInputBuffer& Buffer() const { return buffer; }
  const CDialogFrame& Frame() const { return frame; }

 private:
  bool CanConfirm() const { return allowEmpty || !buffer.Text().empty(); }
  // The field changed: OK follows the rule for empty text and the dialog is redrawn.
  void Changed();
  bool Edit(uint32_t key);
  void DrawField() const;

  CDialogFrame frame;
  CTextInputBuffer buffer;
  std::string label;
  SRect labelRow, field;
  bool allowEmpty;
  Done done;
};
