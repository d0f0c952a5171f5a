#pragma once
// The two generated help pages and the file they are written to.
#include <string>
#include <vector>

namespace trev {

extern const char* const kHelpFilePath;

enum class HelpPage { Versions, AddOns };

// The page's lines, Windows-1252.
std::vector<std::string> helpPageLines(HelpPage page);

// Creates the help file anew with the page's lines, each ended by CR LF.
void writeHelpPage(HelpPage page);

}  // namespace trev
