#pragma once
#include <cstdint>
#include <string>

#include "ui/Layout.h"
#include "ui/MenuRows.h"
#include "ui/OpenLevel.h"

class CDisplay;
class CTextFont;

// The confirmation box of system\window\message.scn: a question, "はい" and "いいえ", fading in and
// out. The answers appear as rows of control "選択肢" and as the "はい(選択)"/"いいえ(非選択)" looks,
// whichever the layout has. A new question starts on "いいえ".
class CPromptBox {
 public:
  enum EAnswer { kYes = 0, kNo = 1 };

  void Load(CDisplay& display);
  void Open(const std::string& question);
  // The question goes; the box fades out.
  void Clear();
  bool IsShown() const { return !question.empty(); }
  const std::string& Question() const { return question; }
  int Selection() const { return selection; }
  void Select(int answer);
  // Rises while a question is set and the system menu is closed, else falls.
  void Update(int32_t ticks, bool systemMenuClosed);
  bool IsOpen() const { return level.IsOpen(); }
  bool IsFullyOpen() const;
  // Hover: the row under the point, then the "(選択)" control under it.
  void HoverAt(int32_t x, int32_t y);
  // Whether the point lies on the selected row or the selected answer's "(選択)" control.
  bool IsOnSelected(int32_t x, int32_t y) const;
  void Draw(CTextFont& font) const;

 private:
  CMenuRows Rows() const;
  void Invalidate() const;
  void DrawLabel(CTextFont& font, const std::string& label, const SRect& rect) const;

  CDisplay* display = nullptr;
  CLayout layout;
  COpenLevel level;
  std::string question;
  int selection = kNo;
};
