#include "platform/host_names.h"
#include "platform/tcp_socket.h"

#include "platform/socket_names.h"
#include "platform/socket_system.h"
#include "platform/socket_wait_hook.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace trev {
namespace {

int pollOne(int fd, short events, int timeoutMs) {
    return waitInSlices(timeoutMs, [fd, events](int sliceMs) {
        pollfd p{fd, events, 0};
        for (;;) {
            int r = ::poll(&p, 1, sliceMs);
            if (r >= 0) return r;
            if (errno != EINTR) return -1;
        }
    });
}

int remainingMs(std::chrono::steady_clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// One recv; -1 when a non-blocking one finds nothing yet. Failures raise.
long receiveOnce(int fd, char* buffer, size_t size, int flags) {
    for (;;) {
        ssize_t n = ::recv(fd, buffer, size, flags);
        if (n >= 0) return n;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return -1;
        if (errno != EINTR) throw socketError(winsockFromErrno(errno));
    }
}

sockaddr_in makeAddress(uint32_t address, uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    sa.sin_port = htons(port);
    return sa;
}

}  // namespace

bool parseDottedAddress(const std::string& text, uint32_t& networkOrder) {
    in_addr a{};
    if (!::inet_aton(text.c_str(), &a)) return false;
    networkOrder = a.s_addr;
    return true;
}

void startSockets() {}

void TcpSocket::create() {
    close();
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) throw socketError(winsockFromErrno(errno));
}

int TcpSocket::tryConnect(uint32_t address, uint16_t port, int timeoutMs) {
    sockaddr_in sa = makeAddress(address, port);
    int flags = ::fcntl(fd_, F_GETFL);
    ::fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
    int result = ::connect(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    int err = result == 0 ? 0 : errno;
    if (err == EINPROGRESS) {
        int ready = pollOne(fd_, POLLOUT, timeoutMs);
        if (ready == 0) {
            err = ETIMEDOUT;
        } else {
            socklen_t len = sizeof err;
            ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &len);
        }
    }
    ::fcntl(fd_, F_SETFL, flags);
    return err == 0 ? 0 : winsockFromErrno(err);
}

long TcpSocket::trySend(const char* data, size_t size) {
    for (;;) {
        ssize_t n = ::send(fd_, data, size, MSG_NOSIGNAL);
        if (n >= 0 || errno != EINTR) return n;
    }
}

// Without waiting in send itself, so that a peer that stops reading cannot hold it.
void TcpSocket::sendAll(const char* data, size_t size, int timeoutMs) {
    if (fd_ < 0) throw socketError(WSAENOTCONN);
    while (size > 0) {
        ssize_t n = ::send(fd_, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            int ready = pollOne(fd_, POLLOUT, timeoutMs);
            if (ready == 0) throw socketError(WSAETIMEDOUT);
            if (ready < 0) throw socketError(winsockFromErrno(errno));
            continue;
        }
        if (n < 0) throw socketError(winsockFromErrno(errno));
        data += n;
        size -= static_cast<size_t>(n);
    }
}

bool TcpSocket::waitReadable(int timeoutMs) {
    return pollOne(fd_, POLLIN, timeoutMs) > 0;
}

long TcpSocket::receive(char* buffer, size_t size, int timeoutMs) {
    if (fd_ < 0) throw socketError(WSAENOTCONN);
    if (timeoutMs < 0) {
        // A wait without limit still lets the wait hook run.
        if (pollOne(fd_, POLLIN, -1) < 0) throw socketError(winsockFromErrno(errno));
        return receiveOnce(fd_, buffer, size, 0);
    }
    // While data is flowing it is already there: take it without a poll, and wait
    // only when nothing has arrived, never past the time limit.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (int waitMs = timeoutMs;; waitMs = remainingMs(deadline)) {
        long n = receiveOnce(fd_, buffer, size, MSG_DONTWAIT);
        if (n >= 0) return n;
        if (waitMs == 0) return -1;  // a look without a wait: the receive was it
        int ready = pollOne(fd_, POLLIN, waitMs);
        if (ready == 0) return -1;
        if (ready < 0) throw socketError(winsockFromErrno(errno));
    }
}

void TcpSocket::shutdownBoth() {
    if (fd_ >= 0) ::shutdown(fd_, SHUT_RDWR);
}

void TcpSocket::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void TcpSocket::listen(uint32_t localAddress, uint16_t port, int backlog) {
    create();
    sockaddr_in sa = makeAddress(localAddress, port);
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(fd_, backlog) != 0) {
        int code = winsockFromErrno(errno);
        close();
        throw socketError(code);
    }
}

TcpSocket TcpSocket::accept(int timeoutMs) {
    if (pollOne(fd_, POLLIN, timeoutMs) <= 0) return TcpSocket();
    int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) throw socketError(winsockFromErrno(errno));
    return TcpSocket(fd);
}

uint32_t TcpSocket::localAddress() const {
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len);
    return sa.sin_addr.s_addr;
}

uint16_t TcpSocket::localPort() const {
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len);
    return ntohs(sa.sin_port);
}

uint32_t TcpSocket::peerAddress() const {
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    ::getpeername(fd_, reinterpret_cast<sockaddr*>(&sa), &len);
    return sa.sin_addr.s_addr;
}

}  // namespace trev
