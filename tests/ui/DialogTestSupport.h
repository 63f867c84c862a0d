#pragma once
#include <string>
#include <string_view>

namespace dialogtest {

// Text as an input method or the window system delivers it: UTF-8, whatever the build's narrow
// literals are.
inline std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

}  // namespace dialogtest
