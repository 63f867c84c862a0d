#include "script/DateCommand.h"

#include "script/GameClock.h"
#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CDateCommand::CDateCommand(const CScriptParams& params)
    : year(params.Int("YEAR", 2000)),
      month(params.Int("MONTH", 1)),
      day(params.Int("DAY", 1)),
      hour(params.Int("HOUR", 0)),
      minute(params.Int("MINUTE", 0)),
      screen(params.FlagTrue("SCREEN", false)),
      background(params.Path("BG")) {
  SetDescription(screen ? "日付画面" : "日付",
                 CScriptParams::Format("%d年%s月%s日 %d時%.2d分", year, std::to_string(month).c_str(),
                                       std::to_string(day).c_str(), hour, minute));
}

void CDateCommand::Execute(CScriptRunner& runner) {
  IScriptHost& host = runner.Host();
  CGameClock& clock = host.Clock();
  clock.year = year;
  clock.month = month;
  clock.day = day;
  clock.hour = hour;
  clock.minute = minute;
  if (screen) host.ShowDateScreen(background);
}
