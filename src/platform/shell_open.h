#pragma once
// Each side's default action of the shell for a file, started without waiting.
#include <string>

namespace trev {

void shellOpen(const std::string& windowsPath, const std::string& parameters);

}  // namespace trev
