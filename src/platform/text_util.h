#pragma once
#include <cstdint>
#include <string>

namespace trev {

// Removes leading and trailing characters of code 32 or below.
std::string trim(const std::string& text);

// Columns first..last (1-based, inclusive) of a line; shorter lines give less.
std::string columns(const std::string& line, size_t first, size_t last);

// ASCII upper case, for comparisons without regard to case.
std::string upperCase(const std::string& text);
std::string lowerCase(const std::string& text);

// The text with every control byte (below 32, 127, and the five bytes Windows-1252
// leaves undefined) written as \xHH, so a message from a server shows whole.
std::string escapeControlBytes(const std::string& text);

// A name or value as a message shows it: past kShownLength characters it is cut
// there and "..." follows, so a huge name from a server cannot swell a message box or the log.
constexpr size_t kShownLength = 300;
std::string shownValue(const std::string& value);

// A signed 32-bit decimal (leading blanks and a sign allowed);
// raises ConvertError "'%s' is not a valid integer value" otherwise.
int32_t parseInteger(const std::string& text);

}  // namespace trev
