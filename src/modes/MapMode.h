#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "modes/MapMessage.h"
#include "persist/ScheduleTable.h"
#include "ui/KeyWaitIcon.h"
#include "ui/Layout.h"
#include "ui/ScreenMode.h"

class CAnimation;
class CMapTable;

// The map screen (engine mode 13): a map layout whose places carry the events the schedule offers
// at the in-game date and time. Choosing a place shows its after-move message, fades out, marks the
// event done and runs its script; the script runner brings the map back when that script ends.
// One object lives for one visit.
class CMapMode : public CScreenMode {
 public:
  enum EPhase : int32_t { kFadingIn = 0, kChoosing = 1, kChosen = 2, kFadingOut = 3, kEnded = 4 };

  // A place of the map: the event it carries and the person standing on it.
  struct SPlace {
    CScheduleTable::SPlaceSlot event;
    std::unique_ptr<CAnimation> person;
  };

  CMapMode(CGameSystem& game, std::string schedule, const std::string& layoutPath, std::string music);
  ~CMapMode() override;
  // Builds the map for the engine's current schedule, map number and time (entering mode 13).
  static std::unique_ptr<CMapMode> Enter(CGameSystem& game);

  int Update(int32_t delta, int32_t x, int32_t y) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  int OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override;
  int OnCancel() override;
  void Draw(int32_t x, int32_t y) override;

  int32_t Phase() const { return phase; }
  int32_t Hovered() const { return hovered; }
  const std::vector<SPlace>& Places() const { return places; }
  const CMapMessage& Message() const { return message; }

  // The time slot (1-based) of a minute of the day among slot starts in ascending order.
  static int32_t TimeSlot(const std::vector<int>& starts, int32_t dayMinutes);
  // The layout of map number map at a minute of the day; empty when the table has none.
  static std::string LayoutPath(const CMapTable& table, int32_t map, int32_t dayMinutes);

 private:
  void BuildEvents(const std::string& layoutFile);
  void StartImmediate(int32_t row, const std::string& script);
  void PlacePerson(SPlace& place, int32_t control, const std::string& layoutFile);
  bool HasActivePlace() const;
  // The visit to the trace: the layout, the places with an event (in layout order) and the date.
  void TraceVisit(const std::string& layoutFile) const;
  void SetPhase(int32_t next);
  void MarkControl(const std::string& name) const;
  void MarkHover(int32_t control) const;
  void MarkMessage() const;
  void UpdateHover(int32_t x, int32_t y);
  void UpdateCursor();
  // Advances a fade by delta ticks; true once it is complete.
  bool FadeStep(int32_t delta);
  // The fade-out is over: the event of the chosen place starts; 0 ends the map mode.
  int TakePlace();
  void Choose();
  void SetMessage(std::string text);
  bool InControl(const char* name, int32_t x, int32_t y) const;
  void DrawMessage() const;

  std::string schedulePath;
  // The key of the schedule's done marks.
  std::string scheduleKey;
  std::string musicPath;
  CLayout layout;
  std::vector<SPlace> places;
  int32_t phase = kFadingIn;
  int32_t counter = 0;
  int32_t fadeTime = 1;
  int32_t hovered = -1;
  CMapMessage message;
  CKeyWaitIcon cursor;
  // Nothing to choose here (no layout, or no place with an event): the map loop ends on the first
  // update and the script that opened the map goes on.
  bool leaveLoop = false;
};
