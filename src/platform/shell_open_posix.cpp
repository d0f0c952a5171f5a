#include "platform/paths.h"
#include "platform/shell_open.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace trev {
namespace {

std::vector<std::string> commandFor(const std::string& nativeFile, const std::string& parameters) {
    if (::access(nativeFile.c_str(), X_OK) != 0) return {"xdg-open", nativeFile};
    std::vector<std::string> args = {nativeFile};
    if (!parameters.empty()) args.push_back(parameters);
    return args;
}

// The grandchild runs the program; a failing exec writes its errno into the pipe,
// which closes by itself when the exec succeeds.
[[noreturn]] void reportAndExit(int reportFd, int err) {
    (void)!::write(reportFd, &err, sizeof err);
    ::_exit(127);
}

[[noreturn]] void runDetached(std::vector<char*>& argv, int reportFd) {
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild < 0) reportAndExit(reportFd, errno);
    if (grandchild > 0) ::_exit(0);
    ::execvp(argv[0], argv.data());
    reportAndExit(reportFd, errno);
}

int readExecError(int fd) {
    int err = 0;
    ssize_t n;
    do n = ::read(fd, &err, sizeof err);
    while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(sizeof err) ? err : 0;
}

}  // namespace

// Runs an executable file, opens anything else with its viewer. The process is started
// detached (double fork) so nothing waits for it; only the exec itself is awaited.
ShellResult shellOpen(const std::string& windowsPath, const std::string& parameters) {
    std::vector<std::string> args = commandFor(nativePath(windowsPath), parameters);
    // Built before forking: the child of a threaded program must not allocate.
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return {false, errno};
    pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        runDetached(argv, report[1]);
    }
    const int forkError = child < 0 ? errno : 0;
    ::close(report[1]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    const int execError = child > 0 ? readExecError(report[0]) : forkError;
    ::close(report[0]);
    return {execError == 0, execError};
}

}  // namespace trev
