#include "ui/DatePlate.h"

#include <cstdio>
#include <string_view>

#include "gfx/Display.h"
#include "persist/Settings.h"
#include "script/GameClock.h"
#include "ui/TextFont.h"

namespace {

const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
constexpr std::string_view kDateControl = "日付";
constexpr const char* kDefaultFormat = "m月d日(w)";

// Days since 1970-01-01 of a proleptic Gregorian date (month 1 to 12).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yoe = year - era * 400;
  const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::string TwoDigits(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%02d", value);
  return text;
}

}  // namespace

void CDatePlate::Load(CDisplay& display) {
  layout = CLayout();
  layout.Load(display, "system\\window\\date.scn");
}

void CDatePlate::Update(int32_t ticks) {
  if (level.Update(shown, ticks, false, settings::WindowTime())) layout.Invalidate();
}

void CDatePlate::Jump() {
  if (level.Update(shown, 0, true, settings::WindowTime())) layout.Invalidate();
}

int CDatePlate::Weekday(int32_t year, int32_t month, int32_t day) {
  if (month < 1 || month > 12 || day < 1 || day > 31) return -1;
  const int64_t days = DaysFromCivil(year, month, 1) + day - 1;
  // 1970-01-01 was a Thursday.
  return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

std::string CDatePlate::FormatDate(const std::string& format, int32_t year, int32_t month, int32_t day,
                                   int32_t hour, int32_t minute, int32_t second) {
  std::string out;
  const int weekday = Weekday(year, month, day);
  for (size_t pos = 0, length = 0; pos < format.size(); pos += length) {
    CTextFont::NextCharacter(format, pos, length);
    const char c = format[pos];
    if (length == 2) {
      out.append(format, pos, 2);
      continue;
    }
    char year4[16];
    std::snprintf(year4, sizeof(year4), "%04d", year);
    switch (c) {
      case 'y':
        out += year4;
        break;
      case 'm':
        out += month == 0 ? std::string("某") : TwoDigits(month);
        break;
      case 'd':
        out += day == 0 ? std::string("某") : TwoDigits(day);
        break;
      case 'w':
        out += weekday < 0 ? "？" : kWeekdays[weekday];
        break;
      case 'h':
        out += TwoDigits(hour);
        break;
      case 'H':
        out += TwoDigits(hour % 12);
        break;
      case 'n':
        out += TwoDigits(minute);
        break;
      case 's':
        out += TwoDigits(second);
        break;
      case 'a':
        out += hour > 11 ? "PM" : "AM";
        break;
      case 'A':
        out += hour > 11 ? "午後" : "午前";
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

void CDatePlate::Draw(const CGameClock& clock, CTextFont& font, uint32_t colour) const {
  if (!level.IsOpen()) return;
  const float opacity = level.Opacity(settings::WindowTime());
  layout.Draw("", opacity);
  DrawDigits(layout, clock, opacity);
  if (level.IsFull(settings::WindowTime())) DrawDateTexts(clock, font, colour);
}

void CDatePlate::DrawDigits(const CLayout& layout, const CGameClock& clock, float opacity) {
  layout.Draw("年4", opacity, clock.year / 1000 % 10);
  layout.Draw("年3", opacity, clock.year / 100 % 10);
  layout.Draw("年2", opacity, clock.year / 10 % 10);
  layout.Draw("年1", opacity, clock.year % 10);
  if (clock.month != 0) DrawNumber(layout, "月", clock.month, opacity);
  if (clock.day != 0) DrawNumber(layout, "日", clock.day, opacity);
  const int weekday = Weekday(clock.year, clock.month, clock.day);
  if (weekday >= 0) layout.Draw("曜日", opacity, weekday);
  layout.Draw("時", opacity, clock.hour);
  layout.Draw("時2", opacity, clock.hour / 10 % 10);
  layout.Draw("時1", opacity, clock.hour % 10);
  layout.Draw("分", opacity, clock.minute);
  layout.Draw("分2", opacity, clock.minute / 10 % 10);
  layout.Draw("分1", opacity, clock.minute % 10);
}

// A month or day: the whole number as cell value - 1 of its own control, then tens and units.
void CDatePlate::DrawNumber(const CLayout& layout, const char* name, int32_t value, float opacity) {
  const std::string base = name;
  layout.Draw(base, opacity, value - 1);
  layout.Draw(base + "2", opacity, value / 10 % 10);
  layout.Draw(base + "1", opacity, value % 10);
}

void CDatePlate::DrawDateTexts(const CGameClock& clock, CTextFont& font, uint32_t colour) const {
  for (int i = 0; i < layout.ControlCount(); ++i) {
    const CLayoutControl& control = layout.Control(i);
    const std::string_view name = control.name;
    if (name.substr(0, kDateControl.size()) != kDateControl) continue;
    std::string format;
    if (name.size() == kDateControl.size()) {
      format = kDefaultFormat;
    } else if (name[kDateControl.size()] == ':') {
      format = name.substr(kDateControl.size() + 1);
    } else {
      continue;
    }
    const std::string text =
        FormatDate(format, clock.year, clock.month, clock.day, clock.hour, clock.minute, 0);
    font.DrawText(control.rect.left, control.rect.top, text, colour);
  }
}
