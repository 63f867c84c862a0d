#include "io/ShiftJis.h"

#include <iconv.h>

#include <cerrno>

namespace sjis {
namespace {

// Converts with iconv, replacing each unconvertible sequence with a fixed replacement.
std::string Convert(const char* to, const char* from, std::string_view text, std::string_view replacement,
                    size_t badStep, bool* ok) {
  if (ok) *ok = true;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    if (ok) *ok = false;
    return std::string(text);
  }
  std::string out;
  out.reserve(text.size() * 3 / 2 + 4);
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof(buffer);
    size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, outPtr - buffer);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      if (ok) *ok = false;
      out.append(replacement);
      size_t step = badStep;
      if (from[0] == 'U') {  // skip one whole UTF-8 sequence
        step = 1;
        while (step < inLeft && (static_cast<unsigned char>(in[step]) & 0xC0) == 0x80) ++step;
      } else if (IsLeadByte(static_cast<unsigned char>(*in)) && inLeft >= 2) {
        step = 2;
      }
      step = step > inLeft ? inLeft : step;
      in += step;
      inLeft -= step;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string ToUtf8(std::string_view text) { return Convert("UTF-8", "CP932", text, "\xEF\xBF\xBD", 1, nullptr); }

std::string FromUtf8(std::string_view text, bool* ok) { return Convert("CP932", "UTF-8", text, "?", 1, ok); }

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > text.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

namespace {
// Calls visit(position, byte) for every single-byte character of text.
template <typename Visit>
void ForEachSingleByte(std::string_view text, size_t start, Visit visit) {
  for (size_t i = start; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c) && i + 1 < text.size()) {
      ++i;
      continue;
    }
    if (!visit(i, c)) return;
  }
}
}  // namespace

size_t FindLast(std::string_view text, char ch) {
  size_t found = std::string_view::npos;
  ForEachSingleByte(text, 0, [&](size_t i, unsigned char c) {
    if (c == static_cast<unsigned char>(ch)) found = i;
    return true;
  });
  return found;
}

size_t FindFirst(std::string_view text, char ch, size_t start) {
  size_t found = std::string_view::npos;
  ForEachSingleByte(text, start, [&](size_t i, unsigned char c) {
    if (c != static_cast<unsigned char>(ch)) return true;
    found = i;
    return false;
  });
  return found;
}

std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  ForEachSingleByte(text, 0, [&](size_t i, unsigned char c) {
    if (c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 'a' + 'A');
    return true;
  });
  return out;
}

std::string ReplaceChar(std::string_view text, char from, char to) {
  std::string out(text);
  ForEachSingleByte(text, 0, [&](size_t i, unsigned char c) {
    if (c == static_cast<unsigned char>(from)) out[i] = to;
    return true;
  });
  return out;
}

}  // namespace sjis
