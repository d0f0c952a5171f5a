#include "platform/paths.h"
#include "platform/shell_open.h"

#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace trev {

// Runs an executable file, opens anything else with its viewer.
// The process is started detached (double fork) so nothing waits for it.
void shellOpen(const std::string& windowsPath, const std::string& parameters) {
    const std::string nativeFile = nativePath(windowsPath);
    std::vector<std::string> args;
    if (::access(nativeFile.c_str(), X_OK) == 0) {
        args = {nativeFile};
        if (!parameters.empty()) args.push_back(parameters);
    } else {
        args = {"xdg-open", nativeFile};
    }
    // Built before forking: the child of a threaded program must not allocate.
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        if (::fork() != 0) ::_exit(0);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    if (child > 0) ::waitpid(child, nullptr, 0);
}

}  // namespace trev
