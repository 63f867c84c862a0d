#include "ui/DialogLayer.h"

#include "gfx/Display.h"
#include "platform/Input.h"
#include "ui/FontSet.h"
#include "ui/TextInputDialog.h"

namespace {
// The dialogs write in the 75 % font, as the menu screens' fields do.
constexpr int kDialogFont = 1;
}  // namespace

CDialogLayer::CDialogLayer(CDisplay& screen, CFontSet& fontSet, IInput& in)
    : display(screen), fonts(fontSet), input(in) {}

CDialogLayer::~CDialogLayer() = default;

CTextFont& CDialogLayer::Font() { return fonts.Font(kDialogFont); }

void CDialogLayer::Open(std::unique_ptr<CDialog> dialog) {
  if (current) Handle(CDialog::EResult::kCancel);
  current = std::move(dialog);
  display.MarkDirty(current->Bounds());
  const SRect field = current->TextField();
  if (!field.IsEmpty()) input.StartTextInput(field);
}

void CDialogLayer::Handle(CDialog::EResult result) {
  if (result == CDialog::EResult::kOpen || !current) return;
  std::unique_ptr<CDialog> answered = std::move(current);
  display.MarkDirty(answered->Bounds());
  if (!answered->TextField().IsEmpty()) input.StopTextInput();
  answered->Finish(result == CDialog::EResult::kOk);
}

void CDialogLayer::OpenTextInput(const std::string& caption, const std::string& label,
                                 const std::string& text, size_t maxBytes, bool allowEmpty,
                                 std::function<void(bool ok, const std::string& text)> done) {
  Open(std::make_unique<CTextInputDialog>(display, Font(), caption, label, text, maxBytes, allowEmpty,
                                          std::move(done)));
}

void CDialogLayer::OnMouseMove(int32_t x, int32_t y) {
  if (current) current->OnMouseMove(x, y);
}

void CDialogLayer::OnLButtonDown(int32_t x, int32_t y) {
  if (current) Handle(current->OnLButtonDown(x, y));
}

void CDialogLayer::OnLButtonUp(int32_t x, int32_t y) {
  if (current) Handle(current->OnLButtonUp(x, y));
}

void CDialogLayer::OnMouseWheel(int32_t notches) {
  if (current) current->OnMouseWheel(notches);
}

void CDialogLayer::OnKeyDown(uint32_t key, bool firstPress) {
  if (current) Handle(current->OnKeyDown(key, firstPress));
}

void CDialogLayer::OnTextInput(const std::string& utf8) {
  if (current) Handle(current->OnTextInput(utf8));
}

void CDialogLayer::OnTextEditing(const std::string& utf8, int32_t cursor) {
  if (current) current->OnTextEditing(utf8, cursor);
}

void CDialogLayer::Draw() {
  if (current) current->Draw();
}
