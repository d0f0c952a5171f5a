#include "platform/tcp_socket.h"

#include "platform/text_util.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

namespace trev {
namespace {

int pollOne(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    for (;;) {
        int r = ::poll(&p, 1, timeoutMs);
        if (r >= 0) return r;
        if (errno != EINTR) return -1;
    }
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

namespace {

// The system's errors and the Winsock numbers and texts that stand for them.
struct WinsockEntry {
    int err;
    int code;
    const char* text;
};

constexpr WinsockEntry kWinsockTable[] = {
    {EINTR, WSAEINTR, "Interrupted system call."},
    {EBADF, 10009, "Bad file number."},
    {EACCES, 10013, "Access denied."},
    {EFAULT, 10014, "Buffer fault."},
    {EINVAL, 10022, "Invalid argument."},
    {EMFILE, 10024, "Too many open files."},
    {EWOULDBLOCK, 10035, "Operation would block."},
    {EINPROGRESS, 10036, "Operation now in progress."},
    {EALREADY, 10037, "Operation already in progress."},
    {ENOTSOCK, 10038, "Socket operation on non-socket."},
    {EDESTADDRREQ, 10039, "Destination address required."},
    {EMSGSIZE, 10040, "Message too long."},
    {EPROTOTYPE, 10041, "Protocol wrong type for socket."},
    {ENOPROTOOPT, 10042, "Bad protocol option."},
    {EPROTONOSUPPORT, 10043, "Protocol not supported."},
    {ESOCKTNOSUPPORT, 10044, "Socket type not supported."},
    {EOPNOTSUPP, 10045, "Operation not supported on socket."},
    {EPFNOSUPPORT, 10046, "Protocol family not supported."},
    {EAFNOSUPPORT, 10047, "Address family not supported by protocol family."},
    {EADDRINUSE, WSAEADDRINUSE, "Address already in use."},
    {EADDRNOTAVAIL, WSAEADDRNOTAVAIL, "Cannot assign requested address."},
    {ENETDOWN, WSAENETDOWN, "Network is down."},
    {ENETUNREACH, WSAENETUNREACH, "Network is unreachable."},
    {ENETRESET, 10052, "Net dropped connection or reset."},
    {ECONNABORTED, WSAECONNABORTED, "Software caused connection abort."},
    {ECONNRESET, WSAECONNRESET, "Connection reset by peer."},
    {EPIPE, WSAECONNRESET, "Connection reset by peer."},
    {ENOBUFS, 10055, "No buffer space available."},
    {EISCONN, 10056, "Socket is already connected."},
    {ENOTCONN, WSAENOTCONN, "Socket is not connected."},
    {ESHUTDOWN, 10058, "Can't send after socket shutdown."},
    {ETOOMANYREFS, 10059, "Too many references, can't splice."},
    {ETIMEDOUT, WSAETIMEDOUT, "Connection timed out."},
    {ECONNREFUSED, WSAECONNREFUSED, "Connection refused."},
    {ELOOP, 10062, "Too many levels of symbolic links."},
    {ENAMETOOLONG, 10063, "File name too long."},
    {EHOSTDOWN, 10064, "Host is down."},
    {EHOSTUNREACH, WSAEHOSTUNREACH, "No route to host."},
};

}  // namespace

std::string winsockErrorText(int code) {
    if (code == WSAHOST_NOT_FOUND) return "Host not found.";
    for (const auto& entry : kWinsockTable)
        if (entry.code == code) return entry.text;
    return "";
}

SocketError socketError(int code) {
    return SocketError(code, "Socket Error # " + std::to_string(code) + "\r\n" + winsockErrorText(code));
}

// An error with no Winsock counterpart keeps the system's own number above 10000.
int winsockFromErrno(int err) {
    for (const auto& entry : kWinsockTable)
        if (entry.err == err) return entry.code;
    return 10000 + err;
}

uint32_t resolveHost(const std::string& host) {
    if (UpperCase(host) == "LOCALHOST") return htonl(INADDR_LOOPBACK);
    if (!host.empty() && std::isdigit(static_cast<unsigned char>(host[0]))) {
        in_addr a{};
        if (::inet_aton(host.c_str(), &a)) return a.s_addr;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &result) != 0 || !result) throw socketError(WSAHOST_NOT_FOUND);
    uint32_t address = reinterpret_cast<sockaddr_in*>(result->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(result);
    return address;
}

std::string dottedAddress(uint32_t networkOrder) {
    in_addr a{};
    a.s_addr = networkOrder;
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

uint16_t servicePort(const std::string& text) {
    if (const servent* service = ::getservbyname(text.c_str(), nullptr)) return ntohs(static_cast<uint16_t>(service->s_port));
    return static_cast<uint16_t>(static_cast<uint32_t>(StrToInt(text)) & 0xFFFF);
}

TcpSocket::~TcpSocket() { close(); }

TcpSocket::TcpSocket(TcpSocket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

TcpSocket& TcpSocket::operator=(TcpSocket&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

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

void TcpSocket::connect(const std::string& host, uint16_t port, int timeoutMs) {
    uint32_t address = resolveHost(host);
    create();
    sockaddr_in any = makeAddress(htonl(INADDR_ANY), 0);
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
        int code = winsockFromErrno(errno);
        close();
        throw socketError(code);
    }
    if (int code = tryConnect(address, port, timeoutMs)) {
        close();
        throw socketError(code);
    }
}

long TcpSocket::trySend(const char* data, size_t size) {
    for (;;) {
        ssize_t n = ::send(fd_, data, size, MSG_NOSIGNAL);
        if (n >= 0 || errno != EINTR) return n;
    }
}

void TcpSocket::sendAll(const char* data, size_t size) {
    if (fd_ < 0) throw socketError(WSAENOTCONN);
    while (size > 0) {
        long n = trySend(data, size);
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
    if (timeoutMs < 0) return receiveOnce(fd_, buffer, size, 0);
    // While data is flowing it is already there: take it without a poll, and wait
    // only when nothing has arrived, never past the time limit.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (int waitMs = timeoutMs;; waitMs = remainingMs(deadline)) {
        long n = receiveOnce(fd_, buffer, size, MSG_DONTWAIT);
        if (n >= 0) return n;
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
