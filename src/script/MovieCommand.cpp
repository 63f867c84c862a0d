#include "script/MovieCommand.h"

#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"

CMovieCommand::CMovieCommand(const CScriptParams& params) : src(params.Path("SRC")) {
  SetDescription("ムービー");
}

void CMovieCommand::Execute(CScriptRunner& runner) { runner.Host().PlayMovie(src); }
