#pragma once
// Small text routines shared by the version check, the update run and the menu file.
#include "platform/text_util.h"

#include <string>
#include <string_view>

namespace trev {

// Removes every . - / \ | , [ ] ( ) * _ and blank.
std::string StripVersionPunctuation(const std::string& text);

// Pads to width: "I" zeros in front, "S" blanks at the end, "P" blanks in front,
// "C" dashes at the end with a final "+". Never cuts; another mode changes nothing.
std::string PadText(const std::string& text, const std::string& mode, size_t width);

// Whether a line of the file has columns 1-40, trimmed, equal to key.
// Raises "File not found" when the file does not exist.
bool FindKeyedLine(const std::string& key, const std::string& windowsPath);

}  // namespace trev
