#pragma once
// The two generated help pages and the file they are written to.
#include <string>
#include <vector>

namespace trev {

extern const char* const kHelpFilePath;

enum class HelpPage { Versions, AddOns };

// The page's lines, Windows-1252.
std::vector<std::string> HelpPageLines(HelpPage page);

// Creates the help file anew with the page's lines, each ended by CR LF.
void WriteHelpPage(HelpPage page);

}  // namespace trev
