#pragma once
#include <cstdint>
#include <deque>
#include <string>

#include "ui/FontSet.h"
#include "ui/Layout.h"
#include "ui/MessagePage.h"
#include "ui/ReadFlags.h"
#include "ui/TextPiece.h"

class CDisplay;
class IFontRasterizer;
class IMessageHost;

// The message text of the scenario: pieces arrive one at a time, wait in a queue, are laid out into
// at most 32 lines of the message window's text area (wrapping at the right edge except before a
// kinsoku character) and are revealed one by one at the player's text speed. Finished pages go to a
// backlog of 100; read messages are remembered per script file and decide what may be skipped.
class CMessageText {
 public:
  static constexpr int kBacklogPages = 100;
  static constexpr int32_t kModeScript = 0, kModeReveal = 1, kModeClickWait = 2, kModeClickWaitPage = 3;
  static constexpr int32_t kModeChoice = 4, kModeClickRegions = 5, kModeTimedWait = 11;

  CMessageText(IMessageHost& host, CDisplay& display);

  // Creates the five fonts of the configured face and size (start-up, and after the configuration
  // or the face changed). False when the face could not be opened.
  bool CreateFonts(IFontRasterizer& rasterizer);
  // Loads system\window\window.scn (style 0) or window1.scn (other styles) when the style differs
  // from the current one; the backlog is emptied and the screen redrawn.
  void SetWindowStyle(int32_t style);
  int32_t WindowStyle() const { return windowStyle; }
  // The game's reset: queue, lines, speaker, voice, backlog and flags emptied; the reveal factor
  // from "テキスト速度".
  void Reset();

  // Scenario text.
  void AddText(const std::string& text, const std::string& ruby, int32_t size, int32_t colorRef);
  // Lays out the first pending piece; false when none was pending.
  bool LayOutNextPiece();
  bool HasPending() const { return !pending.empty(); }
  // Ticks between two revealed pieces: max(1, ((100 - speed) x factor + 49) / 50).
  int32_t RevealDelay() const;
  void SetRevealFactor(int32_t ticks) { revealFactor = ticks; }
  int32_t RevealFactor() const { return revealFactor; }
  void NewPage(bool store);
  void StorePage();

  // Waits.
  void WaitClick(bool newPage, bool showIcon);
  void WaitTime(int32_t ticks, bool always);
  // The "decide" input in modes 1 to 3: completes the page being revealed, or ends the click wait
  // (mode 3 also starts a new page). False in any other mode.
  bool OnConfirm();

  // Read state and skipping.
  void MarkRead(int32_t message) { readFlags.MarkRead(messageScript, message); }
  // Whether a message of the running script was read.
  bool IsRead(int32_t message) const;
  bool IsPageRead() const { return readFlags.IsRead(messageScript, messageNumber); }
  bool IsSkipping() const;
  // "既読テキストの色" for a read page when the player shows read text in colour, else "フォント色".
  uint32_t DefaultColour() const;

  // The window and its text.
  CLayout& WindowLayout() { return windowLayout; }
  SRect TextArea() const { return windowLayout.GetControlRect("テキスト"); }
  void DrawText();
  CFontSet& Fonts() { return fonts; }
  CMessagePage& Page() { return page; }
  const CMessagePage& Page() const { return page; }
  const std::deque<CMessagePage>& Backlog() const { return backlog; }
  CReadFlags& ReadFlags() { return readFlags; }
  void SetSpeaker(const std::string& name) { page.speaker = name; }
  void SetVoice(const std::string& name) { page.voice = name; }
  int32_t LineIndex() const { return lineIndex; }
  void SetLineIndex(int32_t index) { lineIndex = index; }
  int32_t MessageNumber() const { return messageNumber; }
  void SetMessageNumber(int32_t number) { messageNumber = number; }
  bool IsCompletionRequested() const { return completionRequested; }
  bool ShowsKeyWaitIcon() const { return showIcon; }
  bool IsWaitAlways() const { return waitAlways; }
  const std::deque<CTextPiece>& Pending() const { return pending; }

  // A loaded save: the message number of the running script, the pieces still to be revealed and
  // the flags of the wait it was saved in.
  void RestoreMessage(int32_t number);
  void RestorePending(std::deque<CTextPiece> pieces) { pending = std::move(pieces); }
  void RestoreWaitFlags(bool icon, bool always);

 private:
  void LayOutPiece(const CTextPiece& piece);
  void MarkPieceDirty(const CTextPiece& piece, CTextFont& font, int32_t x, int32_t y, int32_t width);
  bool StartsWithKinsoku(const std::string& text) const;
  void LayOutAllPending();
  void TakeMessageNumber();

  IMessageHost& host;
  CDisplay& display;
  CFontSet fonts;
  CLayout windowLayout;
  int32_t windowStyle = -1;
  std::deque<CTextPiece> pending;
  CMessagePage page;
  int32_t lineIndex = 0;
  std::string messageScript;
  int32_t messageNumber = 0;
  std::deque<CMessagePage> backlog;
  CReadFlags readFlags;
  int32_t revealFactor = 3;
  bool completionRequested = false;
  bool showIcon = false;
  bool waitAlways = false;
  bool waitCancel = false;
  std::string kinsoku;
};
