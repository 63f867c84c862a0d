#include "script/ScriptParser.h"

#include "io/ReadFile.h"
#include "io/ShiftJis.h"
#include "script/ClickLine.h"
#include "script/CommandFactory.h"
#include "script/IfLine.h"
#include "script/LabelLine.h"
#include "script/LoopLine.h"
#include "script/ParseListener.h"
#include "script/ScriptRuby.h"
#include "script/ScriptTab.h"
#include "script/SelectLine.h"
#include "script/TextLine.h"

CScriptParser::CScriptParser(IParseListener* listener)
    : listener(listener), list(std::make_unique<CScriptCommandList>()) {
  NewTextLine();
}

bool CScriptParser::Feed(const char* data, size_t size) {
  for (size_t i = 0; i < size && !stopped; ++i) Byte(static_cast<unsigned char>(data[i]));
  return !stopped;
}

std::unique_ptr<CScriptCommandList> CScriptParser::Finish() {
  // A tag cut off by the end of the script still counts; a lone lead byte is dropped.
  if (state == kTag) {
    FinishToken();
    ActOnTag();
  }
  state = kText;
  list->Last().Seal();
  for (auto it = openBlocks.rbegin(); it != openBlocks.rend(); ++it) {
    if (listener) listener->OnUnclosedBlock(*it);
    list->Append(std::make_unique<CTextLine>(-1, list->CharacterStyles()));
    list->Last().SetSourceLine(sourceLine);
  }
  openBlocks.clear();
  return std::move(list);
}

void CScriptParser::Byte(unsigned char c) {
  if (c == 0) {
    stopped = true;
    return;
  }
  switch (state) {
    case kText:
      TextByte(c);
      break;
    case kTrailByte:
      AppendCharacter(leadByte, static_cast<char>(c));
      state = kText;
      break;
    case kTag:
      TagByte(c);
      break;
  }
}

void CScriptParser::TextByte(unsigned char c) {
  if (sjis::IsLeadByte(c)) {
    leadByte = static_cast<char>(c);
    state = kTrailByte;
  } else if (c == '\t') {
    AppendItem(std::make_unique<CScriptTab>(), sourceLine);
  } else if (c == '\n') {
    ++sourceLine;
    NewTextLine();
  } else if (c == '<') {
    state = kTag;
    tagLine = sourceLine;
  } else if (c != '\r') {
    AppendCharacter(static_cast<char>(c), 0);
  }
}

void CScriptParser::TagByte(unsigned char c) {
  std::string& part = inValue ? value : key;
  if (c == '\n') ++sourceLine;
  if (c == '"') {
    quoted = !quoted;
  } else if (quoted) {
    part += static_cast<char>(c);
  } else if (c == '=') {
    if (inValue)
      value += '=';
    else
      inValue = true;
  } else if (c == ' ' || c == '\r' || c == '\n' || c == '\t') {
    FinishToken();
  } else if (c == '>') {
    FinishToken();
    ActOnTag();
    state = kText;
  } else {
    part += static_cast<char>(c);
  }
}

void CScriptParser::FinishToken() {
  if (name.empty())
    name = std::move(key);
  else if (!key.empty() || inValue)
    params[key] = std::move(value);
  key.clear();
  value.clear();
  inValue = false;
}

void CScriptParser::ActOnTag() {
  quoted = false;
  if (!name.empty()) ActOnNamedTag();
  name.clear();
  params.clear();
}

void CScriptParser::ActOnNamedTag() {
  const CScriptParams tagParams(params);
  if (name == "FONT") {
    ApplyFont();
  } else if (name == "SELECT") {
    OpenBlock(std::make_unique<CSelectLine>(tagParams), true);
  } else if (name == "IF") {
    OpenBlock(std::make_unique<CIfLine>(tagParams), true);
  } else if (name == "CLICK") {
    OpenBlock(std::make_unique<CClickLine>(tagParams), true);
  } else if (name == "LOOP") {
    OpenBlock(std::make_unique<CLoopLine>(), true);
  } else if (name == "LABEL") {
    OpenBlock(std::make_unique<CLabelLine>(tagParams), false);
  } else if (name == "END") {
    CloseBlock();
  } else if (name == "RUBY") {
    AppendItem(std::make_unique<CScriptRuby>(tagParams.Text("TEXT"), tagParams.Text("RUBY")), tagLine);
  } else if (auto command = CCommandFactory::Create(name, tagParams)) {
    AppendItem(std::move(command), tagLine);
  } else if (listener) {
    listener->OnUnknownTag(name, tagLine);
  }
}

void CScriptParser::ApplyFont() {
  if (auto it = params.find("SIZE"); it != params.end())
    sizePercent = CScriptParams::ParseDecimal(it->second);
  if (auto it = params.find("COLOR"); it != params.end())
    color = it->second == "DEFAULT" ? -1 : CScriptParams::ParseHex(it->second);
}

// A block tag replaces the line it stands on, with whatever that line held. When that line was
// itself an opening block tag, that block is gone and no longer counts as open. A line that closes
// a block is kept (its END must not be lost) and the block line follows it.
void CScriptParser::OpenBlock(std::unique_ptr<CScriptLine> line, bool opens) {
  line->SetSourceLine(tagLine);
  const int32_t depth = list->Last().GetDepth();
  if (depth < 0) {
    list->Append(std::move(line));
  } else {
    if (depth > 0) openBlocks.pop_back();
    list->ReplaceLast(std::move(line));
  }
  if (opens) openBlocks.push_back(tagLine);
}

// END marks the current line as the last of the innermost open block. A line closes at most one
// block and an opening line cannot close its own block, so further ENDs there are dropped.
void CScriptParser::CloseBlock() {
  if (openBlocks.empty() || list->Last().GetDepth() != 0) {
    if (listener) listener->OnStrayEnd(tagLine);
    return;
  }
  list->Last().SetDepth(-1);
  openBlocks.pop_back();
}

void CScriptParser::AppendItem(std::unique_ptr<CScriptCommand> item, int32_t line) {
  item->SetSize(sizePercent);
  item->SetColor(color);
  item->SetSourceLine(line);
  CScriptLine& current = list->Last();
  current.InsertItem(current.GetItemCount(), std::move(item));
}

void CScriptParser::AppendCharacter(char first, char second) {
  list->Last().AppendCharacter(first, second, {sizePercent, color, sourceLine});
}

void CScriptParser::NewTextLine() {
  if (list->GetCount() > 0) list->Last().Seal();
  list->Append(std::make_unique<CTextLine>(0, list->CharacterStyles()));
  list->Last().SetSourceLine(sourceLine);
}

std::unique_ptr<CScriptCommandList> ParseScript(CReadFile& file, IParseListener* listener) {
  CScriptParser parser(listener);
  char buffer[4096];
  for (size_t got; (got = file.Read(buffer, sizeof buffer)) > 0;)
    if (!parser.Feed(buffer, got)) break;
  return parser.Finish();
}

std::unique_ptr<CScriptCommandList> ParseScript(std::string_view text, IParseListener* listener) {
  CScriptParser parser(listener);
  parser.Feed(text.data(), text.size());
  return parser.Finish();
}
