#pragma once
#include <cstdint>
#include <string>

#include "ui/Layout.h"
#include "ui/OpenLevel.h"

class CDisplay;
class CGameClock;
class CTextFont;

// The date plate of the message window (system\window\date.scn): digit controls drawn as cells of
// their image sheets and "日付" controls that show the date as formatted text.
class CDatePlate {
 public:
  void Load(CDisplay& display);
  // Fades towards shown or hidden by the ticks that passed; a change marks the plate for redraw.
  void Update(int32_t ticks);
  void SetShown(bool value) { shown = value; }
  bool IsShown() const { return shown; }
  // Opens or closes the plate at once (a loaded save).
  void Jump();
  const COpenLevel& Level() const { return level; }
  void Draw(const CGameClock& clock, CTextFont& font, uint32_t colour) const;
  // The digit controls of a layout ("年4" to "分1") drawn as cells for the clock.
  static void DrawDigits(const CLayout& layout, const CGameClock& clock, float opacity);

  // The weekday 0 (Sunday) to 6 of a calendar date; -1 unless month is 1 to 12 and day 1 to 31.
  // A day beyond the month's end counts on into the next month.
  static int Weekday(int32_t year, int32_t month, int32_t day);
  // The format with its letters replaced: y year (4 digits), m month and d day (2 digits, "某" for
  // 0), w weekday name ("？" when invalid), h hour, H hour modulo 12, n minute, s second (2 digits),
  // a "AM"/"PM", A "午前"/"午後". Two-byte characters are copied whole.
  static std::string FormatDate(const std::string& format, int32_t year, int32_t month, int32_t day,
                                int32_t hour, int32_t minute, int32_t second);

 private:
  static void DrawNumber(const CLayout& layout, const char* name, int32_t value, float opacity);
  void DrawDateTexts(const CGameClock& clock, CTextFont& font, uint32_t colour) const;

  CLayout layout;
  COpenLevel level;
  bool shown = false;
};
