#include "platform/launcher.h"

#include "platform/codepage.h"
#include "platform/shell_open.h"
#include "platform/text_util.h"

namespace trev {
namespace {

constexpr size_t kShellTextLimit = 1024;

Launcher& customLauncher() {
    static Launcher launcher;
    return launcher;
}

}  // namespace

LaunchError::LaunchError(const std::string& windowsPath, int code)
    : Error(utf8ToCp1252("Não foi possível iniciar o programa \"") + shownValue(windowsPath) + "\" (" +
            utf8ToCp1252("código ") + std::to_string(code) + ")"),
      code_(code) {}

void setLauncher(Launcher launcher) { customLauncher() = std::move(launcher); }

void LaunchFile(const std::string& windowsPath, const std::string& parameters) {
    std::string path = windowsPath.substr(0, kShellTextLimit);
    std::string params = parameters.substr(0, kShellTextLimit);
    if (customLauncher()) {
        customLauncher()(path, params);
        return;
    }
    const ShellResult result = shellOpen(path, params);
    if (!result.started) throw LaunchError(path, result.code);
}

}  // namespace trev
