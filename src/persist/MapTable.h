#pragma once
#include <map>
#include <string>
#include <vector>

// The time slots of the day and the map layouts shown in each slot, from the "時刻" and "マップN"
// rows of the settings.
class CMapTable {
 public:
  // The largest map number a row may give; higher numbers are ignored so a stray row cannot make
  // the table enormous.
  static constexpr int kMaxMap = 999;
  // A day has 1440 minutes; more slots than that cannot be told apart and are dropped.
  static constexpr size_t kMaxTimeSlots = 1440;

  void Clear();
  // Takes the time slots from cells, up to the first empty cell or one that does not begin with a
  // digit, at most kMaxTimeSlots. Only the first call after Clear counts, and none after a map row made the
  // default slot.
  void SetTimeSlots(const std::vector<std::string>& cells);
  // Sets the layouts of map n, one cell per time slot. Without slots, one slot at minute 0 is made.
  void SetMap(int n, const std::vector<std::string>& cells);

  const std::vector<int>& TimeSlots() const { return slots; }
  int MapCount() const;
  // The layout path of map n in slot s; empty when there is none.
  std::string Layout(int n, int slot) const;

  // "H:MM" as hours * 60 + minutes, or a plain number of minutes; false when the cell does not
  // begin with a digit.
  static bool ParseTime(const std::string& cell, int& minutes);

 private:
  std::vector<int> slots;
  bool slotsSet = false;
  // The layouts of each map row by slot; only maps that have a row take memory, so a high map
  // number with many slots costs no more than the row itself.
  std::map<int, std::vector<std::string>> layouts;
};
