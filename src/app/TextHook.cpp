#include "app/TextHook.h"

#include "app/GameSystem.h"
#include "io/ShiftJis.h"
#include "io/Trace.h"
#include "script/ScriptRunner.h"
#include "ui/MessagePage.h"
#include "ui/MessageText.h"

namespace {
std::string Quoted(const std::string& sjisText) { return CTrace::Quote(sjis::ToUtf8(sjisText)); }
}  // namespace

std::string CTextHook::PageLine(const CMessagePage& page, const std::string& scriptSjis, int32_t line) {
  std::string out =
      "{\"speaker\":" + Quoted(page.speaker) + ",\"text\":" + Quoted(page.Text()) + ",\"ruby\":[";
  const char* separator = "";
  for (const CMessagePage::SRuby& ruby : page.Ruby()) {
    out += separator;
    out += "{\"base\":" + Quoted(ruby.base) + ",\"reading\":" + Quoted(ruby.reading) + "}";
    separator = ",";
  }
  out += "],\"script\":" + Quoted(scriptSjis) + ",\"line\":" + std::to_string(line) + "}";
  return out;
}

void CTextHook::Attach(CGameSystem& game, FILE* out) {
  game.Script().SetPageListener([&game, out] {
    const CScriptRunner& script = game.Script();
    const std::string line = PageLine(game.Text().Page(), script.GetScriptName(), script.CurrentSourceLine());
    std::fputs(line.c_str(), out);
    std::fputc('\n', out);
    std::fflush(out);
  });
}
