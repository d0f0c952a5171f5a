#include "platform/launcher.h"

#include "platform/shell_open.h"

namespace trev {
namespace {

constexpr size_t kShellTextLimit = 1024;

Launcher& customLauncher() {
    static Launcher launcher;
    return launcher;
}

}  // namespace

void setLauncher(Launcher launcher) { customLauncher() = std::move(launcher); }

void LaunchFile(const std::string& windowsPath, const std::string& parameters) {
    std::string path = windowsPath.substr(0, kShellTextLimit);
    std::string params = parameters.substr(0, kShellTextLimit);
    if (customLauncher()) {
        customLauncher()(path, params);
        return;
    }
    shellOpen(path, params);
}

}  // namespace trev
