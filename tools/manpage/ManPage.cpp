#include "ManPage.h"

#include <sstream>
#include <vector>

namespace {

// Words of a term in bold: options, program and command names; argument names in italics.
bool IsLiteralWord(const std::string& word) {
  if (word.rfind("-", 0) == 0) return true;
  for (const char c : word)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == ',')) return false;
  return !word.empty();
}

std::string Term(const std::string& term) {
  std::istringstream words(term);
  std::string out;
  for (std::string word; words >> word;) {
    if (!out.empty()) out += ' ';
    if (word == "|") {
      out += word;
      continue;
    }
    const bool literal = IsLiteralWord(word);
    out += (literal ? "\\fB" : "\\fI") + CManPage::Escape(word) + "\\fR";
  }
  return out;
}

size_t Indent(const std::string& line) {
  const size_t first = line.find_first_not_of(' ');
  return first == std::string::npos ? line.size() : first;
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

std::string CManPage::Escape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out = "\\&" + out;
  return out;
}

std::string CManPage::Entries(const std::string& helpText) {
  std::istringstream in(helpText);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    const size_t indent = Indent(line);
    if (indent == 0 || indent == line.size()) continue;
    const std::string body = line.substr(indent);
    if (indent > 2) {
      out += Escape(body) + "\n";
      continue;
    }
    const size_t gap = body.find("  ");
    out += ".TP\n" + Term(body.substr(0, gap)) + "\n";
    if (gap != std::string::npos) out += Escape(body.substr(body.find_first_not_of(' ', gap))) + "\n";
  }
  return out;
}

std::string CManPage::Render(const std::string& templateText, const std::string& helpText,
                             const std::string& version) {
  std::string page = templateText;
  Replace(page, "@ENTRIES@\n", Entries(helpText));
  Replace(page, "@VERSION@", version);
  return page;
}
