#pragma once
// Starting a file with the shell's default action, maximised, without waiting.
#include "platform/errors.h"

#include <functional>
#include <string>

namespace trev {

// The shell refused to start a file: "Não foi possível iniciar o programa "%s" (código %d)".
class LaunchError : public Error {
public:
    LaunchError(const std::string& windowsPath, int code);
    int code() const { return code_; }

private:
    int code_;
};

// Both texts are cut to 1024 characters, as the shell receives them.
// Raises LaunchError when the shell does not start the file.
void LaunchFile(const std::string& windowsPath, const std::string& parameters);

// Tests record what would be started instead of starting it.
using Launcher = std::function<void(const std::string& windowsPath, const std::string& parameters)>;
void setLauncher(Launcher launcher);  // an empty one restores the shell

}  // namespace trev
