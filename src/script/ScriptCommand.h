#pragma once
#include <cstdint>
#include <memory>
#include <string>

class CScriptRunner;

// A width and height in pixels.
struct SItemSize {
  int32_t width = 0;
  int32_t height = 0;
};

// An item of a text line: a character, a tab, a ruby or a command. Every item carries the font
// size percent and colour in force where it stood; commands also carry a description (a title and
// a detail line) with the box it takes when listed.
class CScriptCommand {
 public:
  // Measures a Shift JIS text in the interface font; replaceable so a font can measure it.
  using TextMeasure = SItemSize (*)(const std::string& text);

  virtual ~CScriptCommand() = default;
  virtual SItemSize GetSize() const { return box; }
  virtual void SetPosition(int32_t x);
  virtual int IsCharacter() const { return 0; }
  virtual std::string GetText() const { return {}; }
  virtual void SetSize(int32_t percent) { sizePercent = percent; }
  virtual void SetColor(int32_t value) { color = value; }
  virtual void Execute(CScriptRunner& runner);

  int32_t GetSizePercent() const { return sizePercent; }
  int32_t GetColor() const { return color; }
  const std::string& GetTitle() const;
  const std::string& GetDetail() const;
  // The source line (from 1) where the item stood, for diagnostics.
  int32_t GetSourceLine() const { return sourceLine; }
  void SetSourceLine(int32_t line) { sourceLine = line; }

  static void SetTextMeasure(TextMeasure measure);

 protected:
  // Sets the description and measures its box: width = the wider text + 40; height = the title's
  // height + 8, plus the detail's height + 4 when there is a detail, at least 32.
  void SetDescription(std::string titleText, std::string detailText = {});
  void SetBox(SItemSize size) { box = size; }

 private:
  // Only commands have a description; characters, the bulk of a script, stay small without one.
  struct SDescription {
    std::string title;
    std::string detail;
  };

  int32_t color = -1;
  int32_t sizePercent = 100;
  SItemSize box;
  int32_t sourceLine = 0;
  std::unique_ptr<SDescription> description;
};
