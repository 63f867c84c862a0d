#include "script/SoundCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CSoundCommand::CSoundCommand(const CScriptParams& params)
    : src(params.Path("SRC")),
      channel(params.Int("CHANNEL", 0)),
      loop(params.FlagOn("LOOP", false)),
      wait(params.FlagOn("WAIT", false)),
      time(params.Int("TIME", 0)) {
  std::string detail = CScriptParams::Format("チャンネル：%d", channel);
  if (loop) detail += "　繰り返し";
  if (wait) detail += "　待機";
  SetDescription(src.empty() ? "サウンド停止" : CScriptParams::FileTitle(src), detail);
}

void CSoundCommand::Execute(CScriptRunner& runner) {
  // There are five channels; a command naming another does nothing rather than reach past them.
  if (channel < 0 || channel >= kChannels) return;
  IScriptHost& host = runner.Host();
  if (src.empty()) {
    host.StopSound(channel, time);
    return;
  }
  host.PlaySound(channel, src, loop, time);
  if (wait) runner.WaitForSounds(1u << channel);
}
