#include "peers/ftp_fault_server.h"

#include "peers/endless_send.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace trev::peers {
namespace {

constexpr int PeerWaitMs = 10000;  // how long the server waits for the client at most

const std::map<std::string, std::string>& defaultReplies() {
    static const std::map<std::string, std::string> replies = {
        {"USER", "331 Password required\r\n"}, {"PASS", "230 Logged in\r\n"},
        {"TYPE", "200 Type set to I\r\n"},     {"SYST", "215 UNIX Type: L8\r\n"},
        {"PORT", "200 PORT command successful\r\n"}, {"RETR", "150 Opening data connection\r\n"},
    };
    return replies;
}

sockaddr_in address(const std::string& dotted, uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    ::inet_pton(AF_INET, dotted.c_str(), &sa.sin_addr);
    return sa;
}

void sendAll(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

int connectFrom(const std::string& source, const sockaddr_in& target) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in local = address(source, 0);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        ::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Waits until the other side closes fd (or resets it); false when it does not in time.
bool waitForClose(int fd, int stopFd, int timeoutMs) {
    pollfd p[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    char buffer[4096];
    for (;;) {
        if (::poll(p, 2, timeoutMs) <= 0 || (p[1].revents & POLLIN)) return false;
        if (::recv(fd, buffer, sizeof buffer, 0) <= 0) return true;
    }
}

// "h1,h2,h3,h4,p1,p2" as an address.
sockaddr_in parsePort(const std::string& argument) {
    unsigned h[4], p[2];
    if (std::sscanf(argument.c_str(), "%u,%u,%u,%u,%u,%u", &h[0], &h[1], &h[2], &h[3], &p[0], &p[1]) != 6) return {};
    std::string dotted = std::to_string(h[0]) + "." + std::to_string(h[1]) + "." + std::to_string(h[2]) + "." + std::to_string(h[3]);
    return address(dotted, static_cast<uint16_t>(p[0] * 256 + p[1]));
}

}  // namespace

struct FtpFaultServer::Impl {
    int listener = -1;
    int stopPipe[2] = {-1, -1};
    uint16_t port = 0;
    std::thread thread;
    mutable std::mutex mutex;
    Script script;
    std::vector<std::string> commands;
    bool foreignClosed = false;

    // Waits for fd to be readable; false when stopping or the time ran out.
    bool readable(int fd, int timeoutMs) const {
        pollfd p[2] = {{fd, POLLIN, 0}, {stopPipe[0], POLLIN, 0}};
        return ::poll(p, 2, timeoutMs) > 0 && !(p[1].revents & POLLIN) && (p[0].revents & (POLLIN | POLLHUP | POLLERR));
    }

    void run() {
        while (readable(listener, -1)) {
            int control = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (control < 0) continue;
            session(control);
            ::close(control);
        }
    }

    Script currentScript() const {
        std::lock_guard lock(mutex);
        return script;
    }

    // One byte at a time with a pause between, until done, stopped or the client is gone.
    void drip(int fd, const std::string& bytes, int pauseMs) const {
        for (char byte : bytes) {
            pollfd stop{stopPipe[0], POLLIN, 0};
            if (::poll(&stop, 1, pauseMs) != 0 || ::send(fd, &byte, 1, MSG_NOSIGNAL) != 1) return;
        }
    }

    void sendPaced(int fd, const std::string& bytes, int dripMs) const {
        if (dripMs > 0) return drip(fd, bytes, dripMs);
        sendAll(fd, bytes);
    }

    void session(int control) {
        Script s = currentScript();
        sendPaced(control, s.greeting, s.greetingDripMs);
        if (!s.endlessAfterGreeting.empty()) return sendEndlessly(control, s.endlessAfterGreeting, stopPipe[0]);
        sockaddr_in dataTarget{};
        std::string pending;
        char buffer[4096];
        while (readable(control, -1)) {
            ssize_t n = ::recv(control, buffer, sizeof buffer, 0);
            if (n <= 0) return;
            pending.append(buffer, static_cast<size_t>(n));
            for (size_t lf; (lf = pending.find("\r\n")) != std::string::npos;) {
                std::string line = pending.substr(0, lf);
                pending.erase(0, lf + 2);
                answer(control, s, line, dataTarget);
            }
        }
    }

    void answer(int control, const Script& s, const std::string& line, sockaddr_in& dataTarget) {
        {
            std::lock_guard lock(mutex);
            commands.push_back(line);
        }
        std::string verb = line.substr(0, line.find(' '));
        std::string argument = line.size() > verb.size() ? line.substr(verb.size() + 1) : std::string();
        auto found = s.replies.find(verb);
        std::string reply = found != s.replies.end() ? found->second
                            : defaultReplies().count(verb) ? defaultReplies().at(verb)
                                                           : "502 Command not implemented\r\n";
        if (verb == "PORT") dataTarget = parsePort(argument);
        sendAll(control, reply);
        if (verb == "RETR" && !reply.empty() && reply[0] == '1') transfer(control, s, dataTarget);
    }

    void transfer(int control, const Script& s, const sockaddr_in& target) {
        if (s.data == Data::Never) return;
        if (s.data == Data::ReplyInstead) return sendAll(control, s.completion);
        int foreign = -1;
        if (s.data == Data::ForeignThenSend || s.data == Data::ForeignOnly) {
            foreign = connectFrom(s.foreignAddress, target);
            sendAll(foreign, s.foreignBytes);
        }
        if (s.data != Data::ForeignOnly) {
            int data = connectFrom("127.0.0.1", target);
            sendPaced(data, s.dataBytes, s.dataDripMs);
            if (s.data == Data::AbortOpen) sendAll(control, s.completion);
            if (s.data == Data::Stall || s.data == Data::AbortOpen) waitForClose(data, stopPipe[0], PeerWaitMs);
            ::close(data);
        }
        if (foreign >= 0) {
            bool closed = waitForClose(foreign, stopPipe[0], PeerWaitMs);
            std::lock_guard lock(mutex);
            foreignClosed = closed;
        }
        if (foreign >= 0) ::close(foreign);
        if (s.data == Data::Send || s.data == Data::ForeignThenSend) sendAll(control, s.completion);
    }
};

FtpFaultServer::FtpFaultServer() : impl_(std::make_unique<Impl>()) {
    if (::pipe2(impl_->stopPipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    impl_->listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa = address("127.0.0.1", 0);
    socklen_t len = sizeof sa;
    if (::bind(impl_->listener, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(impl_->listener, 8) != 0 ||
        ::getsockname(impl_->listener, reinterpret_cast<sockaddr*>(&sa), &len) != 0)
        throw std::runtime_error("fault server cannot listen");
    impl_->port = ntohs(sa.sin_port);
    impl_->thread = std::thread([this] { impl_->run(); });
}

FtpFaultServer::~FtpFaultServer() {
    if (::write(impl_->stopPipe[1], "x", 1) < 0) ::shutdown(impl_->listener, SHUT_RDWR);
    impl_->thread.join();
    ::close(impl_->listener);
    ::close(impl_->stopPipe[0]);
    ::close(impl_->stopPipe[1]);
}

uint16_t FtpFaultServer::port() const { return impl_->port; }

void FtpFaultServer::setScript(Script script) {
    std::lock_guard lock(impl_->mutex);
    impl_->script = std::move(script);
    impl_->commands.clear();
    impl_->foreignClosed = false;
}

std::vector<std::string> FtpFaultServer::commands() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->commands;
}

bool FtpFaultServer::foreignConnectionClosed() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->foreignClosed;
}

}  // namespace trev::peers
