#pragma once
// The program's arguments as UTF-8, whatever code page the system hands main.
#include <string>
#include <vector>

namespace trev {

// The arguments after the program's name. POSIX gives them as typed; Windows gives
// main its ANSI code page, so they are read from the wide command line instead.
std::vector<std::string> commandLineArguments(int argc, char** argv);

}  // namespace trev
