#pragma once
// Each side's default action of the shell for a file, started without waiting.
#include <string>

namespace trev {

struct ShellResult {
    bool started = false;
    int code = 0;  // the system's reason when not started (ShellExecute's value, or an errno)
};

ShellResult shellOpen(const std::string& windowsPath, const std::string& parameters);

}  // namespace trev
