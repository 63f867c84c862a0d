#pragma once
#include <cstdarg>
#include <string>

// printf-style formatting into a string of any length.
std::string FormatV(const char* format, va_list args);
