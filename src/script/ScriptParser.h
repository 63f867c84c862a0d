#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/ScriptCommandList.h"

class CReadFile;
class IParseListener;

// Turns the bytes of an .adv script into a command list in one pass: message characters (Shift
// JIS aware), tabs, one text line per source line, and tags in angle brackets that become commands
// or block lines. Bytes may arrive in pieces of any size. The parser never fails.
class CScriptParser {
 public:
  explicit CScriptParser(IParseListener* listener = nullptr);
  // Reads more bytes; false once a zero byte has ended the script (later bytes are ignored).
  bool Feed(const char* data, size_t size);
  // Finishes a tag left open, closes open blocks and hands over the list.
  std::unique_ptr<CScriptCommandList> Finish();

 private:
  enum EState { kText, kTrailByte, kTag };

  void Byte(unsigned char c);
  void TextByte(unsigned char c);
  void TagByte(unsigned char c);
  void FinishToken();
  void ActOnTag();
  void ActOnNamedTag();
  void ApplyFont();
  void OpenBlock(std::unique_ptr<CScriptLine> line, bool opens);
  void CloseBlock();
  void AppendItem(std::unique_ptr<CScriptCommand> item, int32_t line);
  void AppendCharacter(char first, char second);
  void NewTextLine();

  IParseListener* listener;
  std::unique_ptr<CScriptCommandList> list;
  std::vector<int32_t> openBlocks;  // source line of each block not yet closed
  int32_t sizePercent = 100;
  int32_t color = -1;
  int32_t sourceLine = 1;
  EState state = kText;
  bool stopped = false;
  char leadByte = 0;
  // The tag being read.
  std::string name, key, value;
  std::map<std::string, std::string> params;
  bool quoted = false;
  bool inValue = false;
  int32_t tagLine = 0;
};

// Parses an opened script file, reading it through a 4096-byte buffer.
std::unique_ptr<CScriptCommandList> ParseScript(CReadFile& file, IParseListener* listener = nullptr);
// Parses a script held in memory.
std::unique_ptr<CScriptCommandList> ParseScript(std::string_view text, IParseListener* listener = nullptr);
