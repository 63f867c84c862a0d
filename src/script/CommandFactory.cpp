#include "script/CommandFactory.h"

#include "script/BreakCommand.h"
#include "script/ClearCommand.h"
#include "script/ColorMapCommand.h"
#include "script/DateCommand.h"
#include "script/DateWindowCommand.h"
#include "script/DemoCommand.h"
#include "script/ExitCommand.h"
#include "script/ExpCommand.h"
#include "script/ImgCommand.h"
#include "script/JumpCommand.h"
#include "script/KeyWaitCommand.h"
#include "script/KeywordCommand.h"
#include "script/MapCommand.h"
#include "script/MovieCommand.h"
#include "script/SaveTitleCommand.h"
#include "script/ScreenCommand.h"
#include "script/ScriptFileCommand.h"
#include "script/ScrollCommand.h"
#include "script/SoundCommand.h"
#include "script/SpeedCommand.h"
#include "script/SystemCommand.h"
#include "script/WaitCommand.h"
#include "script/WindowCommand.h"

namespace {

using Creator = std::unique_ptr<CScriptCommand> (*)(const CScriptParams&);

template <class T>
std::unique_ptr<CScriptCommand> Make(const CScriptParams& params) {
  return std::make_unique<T>(params);
}

struct SCommandEntry {
  const char* name;
  Creator create;
};

constexpr SCommandEntry kCommands[] = {
    {"IMG", Make<CImgCommand>},
    {"SOUND", Make<CSoundCommand>},
    {"MOVIE", Make<CMovieCommand>},
    {"SCRIPT", Make<CScriptFileCommand>},
    {"MAP", Make<CMapCommand>},
    {"DATE", Make<CDateCommand>},
    {"SAVETITLE", Make<CSaveTitleCommand>},
    {"SCREEN", Make<CScreenCommand>},
    {"COLORMAP", Make<CColorMapCommand>},
    {"SCROLL", Make<CScrollCommand>},
    {"WAIT", Make<CWaitCommand>},
    {"KEYWAIT", Make<CKeyWaitCommand>},
    {"SPEED", Make<CSpeedCommand>},
    {"CLEAR", Make<CClearCommand>},
    {"WINDOW", Make<CWindowCommand>},
    {"DATE_WINDOW", Make<CDateWindowCommand>},
    {"DEMO", Make<CDemoCommand>},
    {"BREAK", Make<CBreakCommand>},
    {"EXIT", Make<CExitCommand>},
    {"JUMP", Make<CJumpCommand>},
    {"EXP", Make<CExpCommand>},
    {"SYSTEM", Make<CSystemCommand>},
    {"KEYWORD", Make<CKeywordCommand>},
};

const SCommandEntry* Find(const std::string& name) {
  for (const auto& entry : kCommands)
    if (name == entry.name) return &entry;
  return nullptr;
}

}  // namespace

std::unique_ptr<CScriptCommand> CCommandFactory::Create(const std::string& name,
                                                        const CScriptParams& params) {
  const SCommandEntry* entry = Find(name);
  return entry ? entry->create(params) : nullptr;
}
