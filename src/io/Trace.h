#pragma once
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// A field value of a trace event: a Shift JIS string (written as UTF-8) or an integer.
struct STraceValue {
  STraceValue(const char* s) : text(s), isText(true) {}
  STraceValue(std::string s) : text(std::move(s)), isText(true) {}
  STraceValue(std::string_view s) : text(s), isText(true) {}
  STraceValue(int v) : number(v) {}
  STraceValue(long v) : number(v) {}
  STraceValue(long long v) : number(v) {}
  STraceValue(unsigned v) : number(v) {}
  STraceValue(bool v) : text(v ? "true" : "false"), isLiteral(true) {}
  std::string text;
  long long number = 0;
  bool isText = false;
  bool isLiteral = false;
};

// Engine events as JSON lines, one object per line with "frame" and "event".
class CTrace {
 public:
  // Opens the trace; "-" is standard output. Returns false when the file cannot be written.
  static bool Open(const std::string& path);
  static void Close();
  static bool IsOpen();
  // The number of the frame being run, from 1; events before the first frame carry 0.
  static void SetFrame(long long frame);
  static long long Frame();
  static void Event(std::string_view name,
                    std::initializer_list<std::pair<const char*, STraceValue>> fields = {});
  // Quotes and escapes a UTF-8 string for JSON.
  static std::string Quote(std::string_view utf8);
};
