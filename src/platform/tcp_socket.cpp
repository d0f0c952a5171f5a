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

sockaddr_in makeAddress(uint32_t address, uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    sa.sin_port = htons(port);
    return sa;
}

std::string upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::string winsockErrorText(int code) {
    switch (code) {
        case WSAEINTR: return "Interrupted system call.";
        case WSAEADDRINUSE: return "Address already in use.";
        case WSAEADDRNOTAVAIL: return "Cannot assign requested address.";
        case WSAENETDOWN: return "Network is down.";
        case WSAENETUNREACH: return "Network is unreachable.";
        case WSAECONNABORTED: return "Software caused connection abort.";
        case WSAECONNRESET: return "Connection reset by peer.";
        case WSAENOTCONN: return "Socket is not connected.";
        case WSAETIMEDOUT: return "Connection timed out.";
        case WSAECONNREFUSED: return "Connection refused.";
        case WSAEHOSTUNREACH: return "No route to host.";
        case WSAHOST_NOT_FOUND: return "Host not found.";
        default: return "";
    }
}

SocketError socketError(int code) {
    return SocketError(code, "Socket Error # " + std::to_string(code) + "\r\n" + winsockErrorText(code));
}

int winsockFromErrno(int err) {
    switch (err) {
        case EINTR: return WSAEINTR;
        case EADDRINUSE: return WSAEADDRINUSE;
        case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
        case ENETDOWN: return WSAENETDOWN;
        case ENETUNREACH: return WSAENETUNREACH;
        case ECONNABORTED: return WSAECONNABORTED;
        case ECONNRESET: case EPIPE: return WSAECONNRESET;
        case ENOTCONN: return WSAENOTCONN;
        case ETIMEDOUT: return WSAETIMEDOUT;
        case ECONNREFUSED: return WSAECONNREFUSED;
        case EHOSTUNREACH: return WSAEHOSTUNREACH;
        default: return 10000 + err;
    }
}

uint32_t resolveHost(const std::string& host) {
    if (upper(host) == "LOCALHOST") return htonl(INADDR_LOOPBACK);
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
    if (timeoutMs >= 0) {
        int ready = pollOne(fd_, POLLIN, timeoutMs);
        if (ready == 0) return -1;
    }
    for (;;) {
        ssize_t n = ::recv(fd_, buffer, size, 0);
        if (n >= 0) return n;
        if (errno != EINTR) throw socketError(winsockFromErrno(errno));
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
