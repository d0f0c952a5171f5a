#pragma once
#include <string>

namespace trev {

// Removes leading and trailing characters of code 32 or below.
std::string Trim(const std::string& text);

// Columns first..last (1-based, inclusive) of a line; shorter lines give less.
std::string Columns(const std::string& line, size_t first, size_t last);

// ASCII upper case, for comparisons without regard to case.
std::string UpperCase(const std::string& text);

}  // namespace trev
