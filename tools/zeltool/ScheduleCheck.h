#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The checks of one map schedule for adv-check: every row's place must be a control of one of the
// map's layouts (the "マップN" row of the settings, one layout per time slot), and its script and
// person animation must exist. Scripts are resolved against the schedule's folder, persons against
// the folder of the layout that holds the place.
class CScheduleCheck {
 public:
  struct SProblem {
    int32_t line;         // the file line of the row: the header is line 1
    std::string message;  // Shift JIS
  };

  // layouts: the map's layout paths, one per time slot (empty ones are skipped).
  explicit CScheduleCheck(std::vector<std::string> layouts);
  // Checks the schedule; each script its rows name that exists goes to follow. The problems in
  // line order.
  std::vector<SProblem> Check(const std::string& schedule,
                              const std::function<void(const std::string&)>& follow) const;

 private:
  struct SLayout {
    std::string path;
    std::vector<std::string> names;
  };
  // The layout holding a control of that name, or null.
  const SLayout* Holder(const std::string& place) const;

  std::vector<SLayout> layouts;
  std::vector<SProblem> layoutProblems;
};
