#include "ui/MessageText.h"

#include <algorithm>

#include "gfx/Display.h"
#include "persist/Settings.h"
#include "script/ScriptParams.h"
#include "ui/MessageHost.h"

CMessageText::CMessageText(IMessageHost& host, CDisplay& display) : host(host), display(display) { Reset(); }

bool CMessageText::CreateFonts(IFontRasterizer& rasterizer) {
  return fonts.Create(display, rasterizer, settings::FontName(), settings::FontSize());
}

void CMessageText::SetWindowStyle(int32_t style) {
  if (style == windowStyle) return;
  windowStyle = style;
  backlog.clear();
  windowLayout = CLayout();
  windowLayout.Load(display, style == 0 ? "system\\window\\window.scn" : "system\\window\\window1.scn");
  display.MarkAllDirty();
}

void CMessageText::Reset() {
  pending.clear();
  page = CMessagePage();
  lineIndex = 0;
  backlog.clear();
  completionRequested = showIcon = waitAlways = false;
  revealFactor = CScriptParams::ParseDecimal(settings::GetSetting("テキスト速度", "3"));
  waitCancel = settings::GetSetting("ウェイトのキャンセル", "") == "あり";
  kinsoku = settings::KinsokuCharacters();
}

int32_t CMessageText::RevealDelay() const {
  const int64_t speed = settings::Config().TextSpeed();
  return static_cast<int32_t>(std::max<int64_t>(1, ((100 - speed) * revealFactor + 49) / 50));
}

void CMessageText::AddText(const std::string& text, const std::string& ruby, int32_t size, int32_t colorRef) {
  if (!page.HasText() && pending.empty() && lineIndex == 0) TakeMessageNumber();
  pending.push_back(CTextPiece::FromScript(text, ruby, size, colorRef));
  if (completionRequested || IsSkipping() || revealFactor == 0 || settings::Config().TextSpeed() == 100) {
    LayOutAllPending();
    if (host.GetMode() == kModeReveal) host.SetMode(kModeScript);
  } else if (lineIndex < CMessagePage::kLines && !page.lines[lineIndex].empty()) {
    host.SetMode(kModeReveal);
    host.SetWaitLength(RevealDelay());
  } else {
    LayOutNextPiece();
  }
}

// A page that begins in another script than the last one counts its number in that script, so
// the first page of a script is not judged by a number of the previous one.
void CMessageText::TakeMessageNumber() {
  const std::string script = host.CurrentScriptName();
  if (script == messageScript) return;
  messageScript = script;
  messageNumber = host.CurrentCommandNumber();
}

bool CMessageText::LayOutNextPiece() {
  if (pending.empty()) return false;
  const CTextPiece piece = std::move(pending.front());
  pending.pop_front();
  LayOutPiece(piece);
  return true;
}

void CMessageText::LayOutAllPending() {
  while (LayOutNextPiece()) {
  }
}

void CMessageText::LayOutPiece(const CTextPiece& piece) {
  if (piece.text.empty() || lineIndex >= CMessagePage::kLines || piece.IsIgnoredControl()) return;
  if (piece.IsLineFeed()) {
    if (!page.lines[lineIndex].empty()) ++lineIndex;
    return;
  }
  const SRect area = TextArea();
  const int32_t pitch = settings::LinePitch();
  CTextFont& font = fonts.ForSize(piece.size);
  const int32_t width = font.TextWidth(piece.text);
  int32_t x = area.left + CMessagePage::LineWidth(page.lines[lineIndex], fonts);
  // Without a text area (no window layout) nothing wraps; a piece wider than the whole area stays on the
  // line it starts, so wrapping never leaves an empty line behind.
  const bool wraps = area.right > area.left && !page.lines[lineIndex].empty();
  if (wraps && x + width > area.right && !StartsWithKinsoku(piece.text)) {
    if (lineIndex == CMessagePage::kLines - 1) {
      // The page is full: this and every later piece of it are lost.
      lineIndex = CMessagePage::kLines;
      return;
    }
    ++lineIndex;
    display.MarkAllDirty();
    x = area.left + CMessagePage::LineWidth(page.lines[lineIndex], fonts);
  }
  page.lines[lineIndex].push_back(piece);
  MarkPieceDirty(piece, font, x, page.LineTop(lineIndex, area.top, pitch), width);
}

void CMessageText::MarkPieceDirty(const CTextPiece& piece, CTextFont& font, int32_t x, int32_t y,
                                  int32_t width) {
  display.MarkDirty({x, y, x + width + 2, y + font.Size() + 2});
  if (piece.ruby.empty()) return;
  CTextFont& ruby = fonts.Font(CFontSet::kRuby);
  const int32_t rubyWidth = ruby.TextWidth(piece.ruby);
  const int32_t rx = x - (rubyWidth - width) / 2;
  display.MarkDirty({rx, y - ruby.Size(), rx + rubyWidth + 2, y + 2});
}

bool CMessageText::StartsWithKinsoku(const std::string& text) const {
  size_t length = 0;
  const uint16_t first = CTextFont::NextCharacter(text, 0, length);
  for (size_t pos = 0, step = 0; pos < kinsoku.size(); pos += step)
    if (CTextFont::NextCharacter(kinsoku, pos, step) == first) return true;
  return false;
}

void CMessageText::NewPage(bool store) {
  if (store && page.HasText()) {
    StorePage();
    readFlags.MarkRead(messageScript, messageNumber);
  }
  messageScript = host.CurrentScriptName();
  messageNumber = host.CurrentCommandNumber();
  lineIndex = 0;
  page.ClearLines();
  display.MarkAllDirty();
}

void CMessageText::StorePage() {
  if (!page.HasText()) return;
  if (backlog.size() >= kBacklogPages) backlog.pop_front();
  backlog.push_back(page);
  page.voice.clear();
  completionRequested = false;
}

void CMessageText::WaitClick(bool newPage, bool icon) {
  if (newPage && !page.HasText()) return;
  host.SetMode(newPage ? kModeClickWaitPage : kModeClickWait);
  completionRequested = false;
  showIcon = icon;
}

void CMessageText::WaitTime(int32_t ticks, bool always) {
  if (!always && IsSkipping()) return;
  if (host.IsDemoMode() && ticks > 0) {
    const int64_t lost = host.GetLostTicks();
    const int64_t length = std::max<int64_t>((static_cast<int64_t>(ticks) + 1) / 2, ticks - lost);
    host.SetLostTicks(static_cast<int32_t>(lost + length - ticks));
    ticks = static_cast<int32_t>(length);
  }
  // A wait of no ticks would never end: the timer only ends modes that have a length.
  if (ticks <= 0) return;
  waitAlways = always;
  host.SetMode(kModeTimedWait);
  host.SetWaitLength(ticks);
}

bool CMessageText::OnConfirm() {
  const int32_t mode = host.GetMode();
  if (mode == kModeReveal) {
    completionRequested = true;
    LayOutAllPending();
  } else if (mode != kModeClickWait && mode != kModeClickWaitPage) {
    return false;
  }
  showIcon = false;
  host.SetMode(kModeScript);
  if (mode == kModeClickWaitPage) NewPage(true);
  return true;
}

void CMessageText::RestoreMessage(int32_t number) {
  messageScript = host.CurrentScriptName();
  messageNumber = number;
}

void CMessageText::RestoreWaitFlags(bool icon, bool always) {
  showIcon = icon;
  waitAlways = always;
  completionRequested = false;
}

bool CMessageText::IsRead(int32_t message) const {
  return readFlags.IsRead(host.CurrentScriptName(), message);
}

bool CMessageText::IsSkipping() const {
  if (host.IsOpeningRunning() || host.IsDemoMode()) return false;
  const int32_t mode = host.GetMode();
  if (mode == kModeChoice || mode == kModeClickRegions || host.HasScreenMode()) return false;
  if (host.IsForcedSkip()) return true;
  if (mode == kModeTimedWait && waitAlways) return false;
  if (completionRequested && waitCancel) return true;
  if (!host.IsSkipMode() && !host.IsControlKeyHeld()) return false;
  return settings::Config().Value(CPlayerConfig::kSkipMode) == 1 || IsPageRead();
}

uint32_t CMessageText::DefaultColour() const {
  const bool showRead = settings::Config().Value(CPlayerConfig::kReadMark) == 1;
  return showRead && IsPageRead() ? settings::ReadTextColor() : settings::FontColor();
}

void CMessageText::DrawText() {
  const SRect area = TextArea();
  page.Draw(fonts, area.left, area.top, settings::LinePitch(), DefaultColour());
}
