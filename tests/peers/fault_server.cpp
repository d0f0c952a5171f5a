#include "peers/fault_server.h"

#include "peers/endless_send.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace trev::peers {
namespace {

struct Connection {
    int fd = -1;
    FaultScript script;
    std::string received;  // guarded by the server's mutex
    size_t consumed = 0;   // bytes already matched by earlier steps
    size_t stepsDone = 0;  // guarded by the server's mutex
    std::thread thread;
};

// Waits until fd is readable or the server is told to stop; false on stop.
bool waitReadable(int fd, int wakeFd, int timeoutMs = -1) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    for (;;) {
        int r = ::poll(fds, 2, timeoutMs);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0 || (fds[1].revents & POLLIN)) return false;
        return true;
    }
}

// Sleeps unless the server is told to stop meanwhile; false on stop.
bool pause(int wakeFd, int ms) {
    pollfd fd{wakeFd, POLLIN, 0};
    return ::poll(&fd, 1, ms) == 0;
}

bool sendAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

struct FaultServer::Impl {
    Impl();
    ~Impl();
    void addConnection(FaultScript script);
    size_t connectionCount() const;
    std::string received(size_t connection) const;
    bool waitForSteps(size_t connection, size_t steps, int timeoutMs) const;

    void acceptLoop();
    void serve(Connection& connection);
    bool awaitText(Connection& connection, const std::string& text);
    bool sendReply(Connection& connection, const FaultStep& step);
    void drainUntilClosed(Connection& connection);
    // Reads once into the record; false when the peer closed or the server stops.
    bool readSome(Connection& connection);
    void stepDone(Connection& connection);

    uint16_t port_ = 0;
    int listenFd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<FaultScript> scripts_;
    std::vector<std::unique_ptr<Connection>> connections_;
    std::thread acceptThread_;
};

FaultServer::Impl::Impl() {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof sa;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&sa), len) != 0 || ::listen(listenFd_, 16) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&sa), &len) != 0)
        throw std::runtime_error("fault server cannot listen");
    port_ = ntohs(sa.sin_port);
    acceptThread_ = std::thread([this] { acceptLoop(); });
}

FaultServer::Impl::~Impl() {
    char stop = 1;
    (void)!::write(wakeWrite_, &stop, 1);
    acceptThread_.join();
    for (auto& c : connections_) {
        c->thread.join();
        if (c->fd >= 0) ::close(c->fd);
    }
    ::close(listenFd_);
    ::close(wakeRead_);
    ::close(wakeWrite_);
}

void FaultServer::Impl::addConnection(FaultScript script) {
    std::lock_guard lock(mutex_);
    scripts_.push_back(std::move(script));
}

size_t FaultServer::Impl::connectionCount() const {
    std::lock_guard lock(mutex_);
    return connections_.size();
}

std::string FaultServer::Impl::received(size_t connection) const {
    std::lock_guard lock(mutex_);
    return connection < connections_.size() ? connections_[connection]->received : std::string();
}

bool FaultServer::Impl::waitForSteps(size_t connection, size_t steps, int timeoutMs) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return connection < connections_.size() && connections_[connection]->stepsDone >= steps;
    });
}

void FaultServer::Impl::stepDone(Connection& connection) {
    std::lock_guard lock(mutex_);
    ++connection.stepsDone;
    changed_.notify_all();
}

void FaultServer::Impl::acceptLoop() {
    while (waitReadable(listenFd_, wakeRead_)) {
        int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::lock_guard lock(mutex_);
        auto connection = std::make_unique<Connection>();
        connection->fd = fd;
        size_t index = connections_.size();
        if (index < scripts_.size()) connection->script = scripts_[index];
        Connection& c = *connection;
        connections_.push_back(std::move(connection));
        c.thread = std::thread([this, &c] { serve(c); });
    }
}

bool FaultServer::Impl::readSome(Connection& connection) {
    if (!waitReadable(connection.fd, wakeRead_)) return false;
    char buffer[65536];
    ssize_t n = ::recv(connection.fd, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    std::lock_guard lock(mutex_);
    connection.received.append(buffer, static_cast<size_t>(n));
    return true;
}

bool FaultServer::Impl::awaitText(Connection& connection, const std::string& text) {
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            size_t at = connection.received.find(text, connection.consumed);
            if (at != std::string::npos) {
                connection.consumed = at + text.size();
                return true;
            }
        }
        if (!readSome(connection)) return false;
    }
}

bool FaultServer::Impl::sendReply(Connection& connection, const FaultStep& step) {
    size_t piece = step.pieceSize == 0 ? step.reply.size() : step.pieceSize;
    for (size_t at = 0; at < step.reply.size(); at += piece) {
        if (at > 0 && step.pieceDelayMs > 0 && !pause(wakeRead_, step.pieceDelayMs)) return false;
        if (!sendAll(connection.fd, step.reply.data() + at, std::min(piece, step.reply.size() - at))) return false;
    }
    if (step.endless.empty()) return true;
    sendEndlessly(connection.fd, step.endless, wakeRead_);
    return false;
}

void FaultServer::Impl::drainUntilClosed(Connection& connection) {
    while (readSome(connection)) {
    }
}

void FaultServer::Impl::serve(Connection& connection) {
    if (connection.script.empty()) {
        ::shutdown(connection.fd, SHUT_RDWR);
        return;
    }
    for (const FaultStep& step : connection.script) {
        if (!step.awaitText.empty() && !awaitText(connection, step.awaitText)) return;
        if (!sendReply(connection, step)) return;
        if (step.then == FaultStep::Then::Close) {
            ::shutdown(connection.fd, SHUT_WR);
            stepDone(connection);
            drainUntilClosed(connection);
            return;
        }
        if (step.then == FaultStep::Then::Reset) {
            linger abortive{1, 0};
            ::setsockopt(connection.fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
            ::close(connection.fd);
            connection.fd = -1;
            stepDone(connection);
            return;
        }
        stepDone(connection);
    }
    drainUntilClosed(connection);
}

FaultServer::FaultServer() : impl_(std::make_unique<Impl>()), port_(impl_->port_) {}
FaultServer::~FaultServer() = default;
void FaultServer::addConnection(FaultScript script) { impl_->addConnection(std::move(script)); }
size_t FaultServer::connectionCount() const { return impl_->connectionCount(); }
std::string FaultServer::received(size_t connection) const { return impl_->received(connection); }
bool FaultServer::waitForSteps(size_t connection, size_t steps, int timeoutMs) const {
    return impl_->waitForSteps(connection, steps, timeoutMs);
}

}  // namespace trev::peers
