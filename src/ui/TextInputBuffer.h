#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The text of a one-line edit field in Shift JIS with a caret, a byte limit and the input method's
// composition. Typed text arrives as UTF-8 and is converted one character at a time: a character
// Shift JIS cannot hold (or a control character) is refused, and typing stops at the first character
// whose bytes would pass the limit, so the limit never splits a two-byte character. The field opens
// with all its text selected, as an edit field that takes the focus does: the first key that edits
// replaces it.
class CTextInputBuffer {
 public:
  // New text (cut at the limit on a character boundary), caret at the end, all selected.
  void Reset(const std::string& text, size_t maxBytes);
  // Inserts at the caret; true when every character was taken. A composition ends.
  bool Type(std::string_view utf8);
  void Backspace();
  void Delete();
  void MoveLeft();
  void MoveRight();
  void MoveHome();
  void MoveEnd();
  // The composition now shown at the caret (UTF-8 from the input method, cursor in characters);
  // empty text ends it.
  void SetComposition(std::string_view utf8, int32_t cursor);

  const std::string& Text() const { return text; }
  size_t MaxBytes() const { return maxBytes; }
  size_t Caret() const { return caret; }
  bool IsAllSelected() const { return allSelected; }
  bool IsComposing() const { return !composition.empty(); }
  // The composition in Shift JIS (characters it cannot hold shown as '?') and its cursor in bytes.
  const std::string& Composition() const { return composition; }
  size_t CompositionCaret() const { return compositionCaret; }

  // The length of the character starting at pos (1 or 2) and the start of the one before pos.
  static size_t CharLength(std::string_view text, size_t pos);
  static size_t PreviousChar(std::string_view text, size_t pos);

 private:
  // A selection is replaced by whatever edits it first.
  void DropSelection();

  std::string text;
  size_t maxBytes = 0;
  size_t caret = 0;
  bool allSelected = false;
  std::string composition;
  size_t compositionCaret = 0;
};
