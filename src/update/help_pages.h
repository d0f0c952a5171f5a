#pragma once
// The two generated help pages, written to paths::kHelpPage.
#include <string>
#include <vector>

namespace trev {

enum class HelpPage { Versions, AddOns };

// The page's lines, Windows-1252.
std::vector<std::string> helpPageLines(HelpPage page);

// Creates the help file anew with the page's lines, each ended by CR LF.
void writeHelpPage(HelpPage page);

}  // namespace trev
