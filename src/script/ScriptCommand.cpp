#include "script/ScriptCommand.h"

#include <algorithm>

namespace {

// Without a font the interface face is taken as fixed-width 16-pixel type: 8 pixels a byte, so a
// double-byte character is 16 wide.
SItemSize MeasureFixed(const std::string& text) {
  return {static_cast<int32_t>(text.size()) * 8, text.empty() ? 0 : 16};
}

CScriptCommand::TextMeasure measureText = MeasureFixed;

}  // namespace

void CScriptCommand::SetPosition(int32_t) {}

void CScriptCommand::Execute(CScriptRunner&) {}

void CScriptCommand::SetTextMeasure(TextMeasure measure) { measureText = measure ? measure : MeasureFixed; }

const std::string& CScriptCommand::GetTitle() const {
  static const std::string kNone;
  return description ? description->title : kNone;
}

const std::string& CScriptCommand::GetDetail() const {
  static const std::string kNone;
  return description ? description->detail : kNone;
}

void CScriptCommand::SetDescription(std::string titleText, std::string detailText) {
  description = std::make_unique<SDescription>(SDescription{std::move(titleText), std::move(detailText)});
  const SItemSize t = measureText(description->title);
  int32_t height = t.height + 8;
  int32_t width = t.width;
  if (!description->detail.empty()) {
    const SItemSize d = measureText(description->detail);
    height += d.height + 4;
    width = std::max(width, d.width);
  }
  box = {width + 40, std::max(32, height)};
}
