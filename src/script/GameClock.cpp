#include "script/GameClock.h"

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1970-01-01 of a proleptic Gregorian date with month 1..12.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = FloorDiv(y, 400);
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int64_t& m, int64_t& d) {
  z += 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = yoe + era * 400 + (m <= 2);
}

}  // namespace

int32_t CGameClock::DayMinutes() const {
  return static_cast<int32_t>(static_cast<uint32_t>(hour) * 60u + static_cast<uint32_t>(minute));
}

void CGameClock::SetDayPlusMinutes(int64_t minutes) {
  const int64_t months = static_cast<int64_t>(year) * 12 + (static_cast<int64_t>(month) - 1);
  const int64_t days = DaysFromCivil(FloorDiv(months, 12), months - FloorDiv(months, 12) * 12 + 1, 1) +
                       (static_cast<int64_t>(day) - 1) + FloorDiv(minutes, 1440);
  const int64_t rest = minutes - FloorDiv(minutes, 1440) * 1440;
  int64_t y, m, d;
  CivilFromDays(days, y, m, d);
  year = static_cast<int32_t>(y);
  month = static_cast<int32_t>(m);
  day = static_cast<int32_t>(d);
  hour = static_cast<int32_t>(rest / 60);
  minute = static_cast<int32_t>(rest % 60);
}

void CGameClock::AddMinutes(int64_t minutes) {
  SetDayPlusMinutes(static_cast<int64_t>(hour) * 60 + minute + minutes);
}
