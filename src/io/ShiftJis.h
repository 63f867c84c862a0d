#pragma once
#include <string>
#include <string_view>

// Shift JIS (code page 932) helpers. Engine strings are Shift JIS bytes; UTF-8 appears only at
// the edges (window title, file names, fonts, traces).
namespace sjis {

// True for the first byte of a two-byte character (0x81-0x9F, 0xE0-0xFC).
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Converts to UTF-8; bytes that do not convert become U+FFFD.
std::string ToUtf8(std::string_view text);
// Converts from UTF-8; characters with no Shift JIS form become '?'. Returns false through ok
// when the input was not valid UTF-8 or had such characters.
std::string FromUtf8(std::string_view text, bool* ok = nullptr);
// True when the bytes are valid UTF-8.
bool IsValidUtf8(std::string_view text);

// The position of the last single-byte character ch, never a trail byte of a two-byte character;
// std::string_view::npos when there is none.
size_t FindLast(std::string_view text, char ch);
// The position of the first single-byte character ch from start (start must begin a character).
size_t FindFirst(std::string_view text, char ch, size_t start = 0);
// Upper-cases the ASCII letters; two-byte characters stay unchanged.
std::string ToUpperAscii(std::string_view text);
// Replaces every single-byte character from by to.
std::string ReplaceChar(std::string_view text, char from, char to);

}  // namespace sjis
