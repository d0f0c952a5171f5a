#include "peers/ftp_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>

namespace trev::test {
namespace {

constexpr int StartTimeoutMs = 15000;

std::string scriptPath() { return (std::filesystem::path(__FILE__).parent_path() / "ftp_server.py").string(); }

// The first line the child writes, or a failure when it does not come in time.
std::string readReadyLine(int fd) {
    std::string line;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(StartTimeoutMs);
    while (line.find('\n') == std::string::npos) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) throw std::runtime_error("pyftpdlib did not start in time");
        char buffer[64];
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) throw std::runtime_error("pyftpdlib ended before it listened");
        line.append(buffer, static_cast<size_t>(n));
    }
    return line;
}

}  // namespace

FtpServerPeer::FtpServerPeer(const std::string& rootFolder) : root_(rootFolder) {
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    std::string script = scriptPath();
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromChild[1], 1);
        int devnull = ::open("/dev/null", O_WRONLY);
        ::dup2(devnull, 2);
        ::execl("/usr/bin/python3", "python3", script.c_str(), rootFolder.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    stdinFd_ = toChild[1];
    try {
        port_ = static_cast<uint16_t>(std::stoi(readReadyLine(fromChild[0])));
    } catch (...) {
        ::close(fromChild[0]);
        stop();
        throw;
    }
    ::close(fromChild[0]);
}

FtpServerPeer::~FtpServerPeer() { stop(); }

void FtpServerPeer::stop() {
    if (stdinFd_ >= 0) ::close(stdinFd_);
    stdinFd_ = -1;
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

}  // namespace trev::test
