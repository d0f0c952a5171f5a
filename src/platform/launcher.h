#pragma once
// Starting a file with the shell's default action, maximised, without waiting.
#include <functional>
#include <string>

namespace trev {

// Both texts are cut to 1024 characters, as the shell receives them.
void LaunchFile(const std::string& windowsPath, const std::string& parameters);

// Tests record what would be started instead of starting it.
using Launcher = std::function<void(const std::string& windowsPath, const std::string& parameters)>;
void setLauncher(Launcher launcher);  // an empty one restores the shell

}  // namespace trev
