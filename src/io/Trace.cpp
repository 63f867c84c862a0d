#include "io/Trace.h"

#include "io/ShiftJis.h"

namespace {
FILE* traceFile = nullptr;
bool ownsFile = false;
long long currentFrame = 0;
}  // namespace

bool CTrace::Open(const std::string& path) {
  Close();
  if (path == "-") {
    traceFile = stdout;
    ownsFile = false;
    return true;
  }
  traceFile = std::fopen(path.c_str(), "w");
  ownsFile = traceFile != nullptr;
  return traceFile != nullptr;
}

void CTrace::Close() {
  if (traceFile && ownsFile) std::fclose(traceFile);
  if (traceFile && !ownsFile) std::fflush(traceFile);
  traceFile = nullptr;
  ownsFile = false;
}

bool CTrace::IsOpen() { return traceFile != nullptr; }

void CTrace::SetFrame(long long frame) { currentFrame = frame; }

long long CTrace::Frame() { return currentFrame; }

std::string CTrace::Quote(std::string_view utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

void CTrace::Event(std::string_view name, std::initializer_list<std::pair<const char*, STraceValue>> fields) {
  if (!traceFile) return;
  std::string line = "{\"frame\":" + std::to_string(currentFrame) + ",\"event\":" + Quote(name);
  for (const auto& [key, value] : fields) {
    line += ",";
    line += Quote(key);
    line += ":";
    if (value.isLiteral)
      line += value.text;
    else if (value.isText)
      line += Quote(sjis::ToUtf8(value.text));
    else
      line += std::to_string(value.number);
  }
  line += "}\n";
  std::fputs(line.c_str(), traceFile);
  std::fflush(traceFile);
}
