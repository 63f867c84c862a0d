#pragma once
#include <cstdint>

// The in-game calendar clock. Fields are stored as set (the DATE command does not normalise);
// arithmetic on it follows the Gregorian calendar.
class CGameClock {
 public:
  int32_t year = 2000, month = 1, day = 1, hour = 0, minute = 0;

  // hour × 60 + minute, wrapped to 32 bits.
  int32_t DayMinutes() const;
  // The current day at 00:00 plus minutes; values of a day or more move to later days, negative
  // ones to earlier days. Out-of-range months and days are normalised first.
  void SetDayPlusMinutes(int64_t minutes);
  // Moves the clock forward (or back) by minutes.
  void AddMinutes(int64_t minutes);
};
