#include "peers/peer_system.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace trev::peers {
namespace {

// Feeds input to the child and collects its output until it ends or the time is up.
std::string exchange(int toChild, int fromChild, const std::string& input, pid_t pid, int timeoutMs) {
    ::fcntl(toChild, F_SETFL, O_NONBLOCK);
    size_t written = 0;
    std::string output;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (written == input.size() && toChild >= 0) {
            ::close(toChild);
            toChild = -1;
        }
        pollfd fds[2] = {{fromChild, POLLIN, 0}, {toChild, POLLOUT, 0}};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || ::poll(fds, toChild >= 0 ? 2 : 1, static_cast<int>(left.count())) <= 0) {
            ::kill(pid, SIGKILL);
            throw std::runtime_error("the command did not finish in time");
        }
        if (toChild >= 0 && (fds[1].revents & (POLLOUT | POLLERR))) {
            const ssize_t n = ::write(toChild, input.data() + written, input.size() - written);
            written = n > 0 ? written + static_cast<size_t>(n) : input.size();
        }
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            char buffer[4096];
            const ssize_t n = ::read(fromChild, buffer, sizeof buffer);
            if (n <= 0) break;
            output.append(buffer, static_cast<size_t>(n));
        }
    }
    if (toChild >= 0) ::close(toChild);
    return output;
}

}  // namespace

std::string peerPath(const std::string& nativePath) { return nativePath; }

bool underWine() { return false; }

PeerAccount peerAccount() {
    const passwd* account = ::getpwuid(::getuid());
    const group* grp = ::getgrgid(::getgid());
    return {account ? account->pw_name : "", grp ? grp->gr_name : ""};
}

void linkPeerFile(const std::string& peerTarget, const std::string& nativeLink) {
    std::filesystem::create_symlink(peerTarget, nativeLink);
}

CommandResult runPeerCommand(const std::vector<std::string>& argv, const std::string& input,
                             const std::vector<std::string>& environment, int timeoutMs) {
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromChild[1], 1);
        ::dup2(fromChild[1], 2);
        for (const auto& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    ::signal(SIGPIPE, SIG_IGN);  // the program may end before it has read all its input
    CommandResult result;
    try {
        result.output = exchange(toChild[1], fromChild[0], input, pid, timeoutMs);
    } catch (...) {
        ::close(fromChild[0]);
        ::waitpid(pid, nullptr, 0);
        throw;
    }
    ::close(fromChild[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

void resetWhenClosed(std::intptr_t socketHandle) {
    const linger abortive{1, 0};
    ::setsockopt(static_cast<int>(socketHandle), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
}

bool heldOpen(const std::string& nativePath) {
    const std::filesystem::path file = std::filesystem::canonical(nativePath);
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code unreadable;  // the descriptor of the iteration itself is gone by now
        if (std::filesystem::read_symlink(entry.path(), unreadable) == file) return true;
    }
    return false;
}

int64_t peakResidentBytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<int64_t>(usage.ru_maxrss) * 1024;
}

void setEnvironment(const std::string& name, const std::string& value) { ::setenv(name.c_str(), value.c_str(), 1); }

}  // namespace trev::peers
