#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Geometry.h"
#include "ui/Dialog.h"

class CDisplay;
class CTextFont;

// What every dialog of the layer shares: a box centred on the screen with a caption bar, a content
// area the dialog fills, and the buttons OK and "ｷｬﾝｾﾙ" at the bottom right. Sizes follow the font:
// the padding is half a character. A button acts when the left button is released over the button
// it went down on, as push buttons do; OK can be disabled.
class CDialogFrame {
 public:
  enum EButton { kNoButton = -1, kOkButton = 0, kCancelButton = 1 };

  static constexpr uint32_t kPanel = 0xF0283040;
  static constexpr uint32_t kBorder = 0xFFC8D0E0;
  static constexpr uint32_t kCaptionBar = 0xFF3C4C84;
  static constexpr uint32_t kText = 0xFFFFFFFF;
  static constexpr uint32_t kDisabledText = 0xFF8890A0;
  static constexpr uint32_t kFieldFill = 0xFFFFFFFF;
  static constexpr uint32_t kFieldText = 0xFF000000;
  static constexpr uint32_t kHighlight = 0xFF3366CC;

  // The font size the dialogs lay out with (a usable one when the font was never created).
  static int32_t FontSizeOf(const CTextFont& font);
  // Lays the frame out around a content area of the given size, centred on the display.
  void Create(CDisplay& display, CTextFont& font, const std::string& caption, int32_t contentWidth,
              int32_t contentHeight);

  const SRect& Bounds() const { return bounds; }
  const SRect& Content() const { return content; }
  const SRect& ButtonRect(EButton button) const { return buttons[button]; }
  int32_t FontSize() const { return fontSize; }
  int32_t Padding() const { return fontSize / 2; }
  CTextFont& Font() const { return *font; }
  CDisplay& Display() const { return *display; }

  void SetOkEnabled(bool enabled);
  bool IsOkEnabled() const { return okEnabled; }
  void OnMouseMove(int32_t x, int32_t y);
  void OnLButtonDown(int32_t x, int32_t y);
  // The button released on (OK only while enabled), else kNoButton.
  EButton OnLButtonUp(int32_t x, int32_t y);
  // OK and Cancel as the answers of the dialog; kNoButton keeps it open.
  static CDialog::EResult Answer(EButton button);

  // Marks the whole dialog for the next draw pass.
  void Invalidate() const;
  void Draw() const;
  // Drawing helpers for the content: a filled box with a one-pixel border, text with its top at y.
  void DrawBox(const SRect& rect, uint32_t fill, uint32_t border) const;
  void DrawText(int32_t x, int32_t y, std::string_view text, uint32_t colour) const;
  // The y that centres one line of text in a row.
  int32_t TextTop(const SRect& row) const { return (row.top + row.bottom - fontSize) / 2; }

 private:
  EButton ButtonAt(int32_t x, int32_t y) const;
  void DrawButton(EButton button, std::string_view label) const;

  CDisplay* display = nullptr;
  CTextFont* font = nullptr;
  std::string caption;
  int32_t fontSize = 0;
  SRect bounds, content, captionBar;
  SRect buttons[2];
  EButton hovered = kNoButton;
  EButton pressed = kNoButton;
  bool okEnabled = true;
};
