#include "script/ScriptFileCommand.h"

#include "script/ScriptRunner.h"

CScriptFileCommand::CScriptFileCommand(const CScriptParams& params)
    : src(params.Path("SRC")), label(params.Text("LABEL")), jump(params.FlagOn("GOTO", false)) {
  std::string detail = CScriptParams::FileTitle(src);
  if (!label.empty()) detail += "(" + label + ")";
  SetDescription(jump ? "スクリプトの実行(復帰しない)" : "スクリプトの実行", detail);
}

void CScriptFileCommand::Execute(CScriptRunner& runner) {
  // With GOTO the running list, and this command with it, is gone once the new script is open, so
  // the label is copied first. When the file cannot be opened the label is looked for in the
  // running script.
  const std::string target = label;
  runner.OpenScript(src, 0, !jump);
  if (!target.empty()) runner.JumpToLabel(target);
}
