#include "peers/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace trev::peers {
namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void execChild(const std::vector<std::string>& argv, const std::string& logPath) {
    int out = ::open(logPath.empty() ? "/dev/null" : logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (out >= 0) {
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
    }
    int in = ::open("/dev/null", O_RDONLY);
    if (in >= 0) ::dup2(in, STDIN_FILENO);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
}

bool waitForExit(pid_t pid, int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (Clock::now() < deadline);
    return false;
}

}  // namespace

struct ChildProcess::Handle {
    pid_t pid = -1;
};

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& logPath)
    : handle_(std::make_unique<Handle>()) {
    handle_->pid = ::fork();
    if (handle_->pid < 0) throw std::runtime_error("fork failed");
    if (handle_->pid == 0) execChild(argv, logPath);
}

ChildProcess::~ChildProcess() { stop(); }

bool ChildProcess::running() {
    pid_t& pid = handle_->pid;
    if (pid <= 0) return false;
    if (::waitpid(pid, nullptr, WNOHANG) == pid) {
        pid = -1;
        return false;
    }
    return true;
}

void ChildProcess::stop() {
    if (!running()) return;
    ::kill(handle_->pid, SIGTERM);
    if (!waitForExit(handle_->pid, 5000)) {
        ::kill(handle_->pid, SIGKILL);
        ::waitpid(handle_->pid, nullptr, 0);
    }
    handle_->pid = -1;
}

}  // namespace trev::peers
