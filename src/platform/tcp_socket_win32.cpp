#include "platform/socket_names.h"
#include "platform/host_names.h"
#include "platform/tcp_socket.h"

#include "platform/socket_system.h"
#include "platform/socket_wait_hook.h"

#include <climits>

namespace trev {
namespace {

SOCKET socketOf(std::intptr_t handle) { return static_cast<SOCKET>(handle); }

sockaddr_in makeAddress(uint32_t address, uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    sa.sin_port = ::htons(port);
    return sa;
}

// 1 when the socket is readable (or, for a connect, writable or failed) within
// timeoutMs (-1: no limit), 0 when the time ran out, -1 on failure.
int waitFor(SOCKET s, bool connecting, int timeoutMs) {
    return waitInSlices(timeoutMs, [s, connecting](int sliceMs) {
        fd_set ready;
        fd_set failed;
        FD_ZERO(&ready);
        FD_ZERO(&failed);
        FD_SET(s, &ready);
        FD_SET(s, &failed);
        timeval limit{sliceMs / 1000, (sliceMs % 1000) * 1000};
        timeval* bound = sliceMs < 0 ? nullptr : &limit;
        int n = connecting ? ::select(0, nullptr, &ready, &failed, bound) : ::select(0, &ready, nullptr, nullptr, bound);
        return n > 0 ? 1 : n;
    });
}

bool hasPendingBytes(SOCKET s) {
    u_long pending = 0;
    return ::ioctlsocket(s, FIONREAD, &pending) == 0 && pending > 0;
}

void setBlocking(SOCKET s, bool blocking) {
    u_long nonBlocking = blocking ? 0 : 1;
    ::ioctlsocket(s, FIONBIO, &nonBlocking);
}

// Like a descriptor opened with close-on-exec: a started program must not hold the connection.
SOCKET notInherited(SOCKET s) {
    if (s != INVALID_SOCKET) ::SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    return s;
}

sockaddr_in nameOf(SOCKET s, bool peer) {
    sockaddr_in sa{};
    int len = sizeof sa;
    peer ? ::getpeername(s, reinterpret_cast<sockaddr*>(&sa), &len) : ::getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len);
    return sa;
}

[[noreturn]] void raiseLastError() { throw socketError(::WSAGetLastError()); }

}  // namespace

// Started once, before the first socket or name lookup; it stays until the process ends.
void startSockets() {
    static const bool started = [] {
        WSADATA data{};
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
}

// inet_addr reads the same forms as inet_aton; its one ambiguous answer is the broadcast address.
bool parseDottedAddress(const std::string& text, uint32_t& networkOrder) {
    networkOrder = ::inet_addr(text.c_str());
    return networkOrder != INADDR_NONE || text == "255.255.255.255";
}

void TcpSocket::create() {
    close();
    startSockets();
    SOCKET s = notInherited(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (s == INVALID_SOCKET) raiseLastError();
    fd_ = static_cast<std::intptr_t>(s);
}

int TcpSocket::tryConnect(uint32_t address, uint16_t port, int timeoutMs) {
    const SOCKET s = socketOf(fd_);
    sockaddr_in sa = makeAddress(address, port);
    setBlocking(s, false);
    int err = ::connect(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0 ? 0 : ::WSAGetLastError();
    if (err == WSAEWOULDBLOCK) {
        int ready = waitFor(s, true, timeoutMs);
        if (ready == 0) {
            err = WSAETIMEDOUT;
        } else if (ready < 0) {
            err = ::WSAGetLastError();
        } else {
            int len = sizeof err;
            ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&err), &len);
        }
    }
    setBlocking(s, true);
    return err;
}

long TcpSocket::trySend(const char* data, size_t size) {
    int piece = size > INT_MAX ? INT_MAX : static_cast<int>(size);
    int n = ::send(socketOf(fd_), data, piece, 0);
    return n == SOCKET_ERROR ? -1 : n;
}

// Non-blocking while it sends, so that a peer that stops reading cannot hold it.
void TcpSocket::sendAll(const char* data, size_t size, int timeoutMs) {
    if (fd_ < 0) throw socketError(WSAENOTCONN);
    const SOCKET s = socketOf(fd_);
    setBlocking(s, false);
    int code = 0;
    while (size > 0 && code == 0) {
        long n = trySend(data, size);
        if (n >= 0) {
            data += n;
            size -= static_cast<size_t>(n);
        } else if ((code = ::WSAGetLastError()) == WSAEWOULDBLOCK) {
            int ready = waitFor(s, true, timeoutMs);
            code = ready > 0 ? 0 : ready == 0 ? WSAETIMEDOUT : ::WSAGetLastError();
        }
    }
    setBlocking(s, true);
    if (code) throw socketError(code);
}

bool TcpSocket::waitReadable(int timeoutMs) { return waitFor(socketOf(fd_), false, timeoutMs) > 0; }

long TcpSocket::receive(char* buffer, size_t size, int timeoutMs) {
    if (fd_ < 0) throw socketError(WSAENOTCONN);
    // While data is flowing it is already there: take it without a wait.
    // A wait without limit still lets the wait hook run.
    if (!hasPendingBytes(socketOf(fd_))) {
        int ready = waitFor(socketOf(fd_), false, timeoutMs);
        if (ready == 0) return -1;
        if (ready < 0) raiseLastError();
    }
    int n = ::recv(socketOf(fd_), buffer, size > INT_MAX ? INT_MAX : static_cast<int>(size), 0);
    if (n == SOCKET_ERROR) raiseLastError();
    return n;
}

void TcpSocket::shutdownBoth() {
    if (fd_ >= 0) ::shutdown(socketOf(fd_), SD_BOTH);
}

void TcpSocket::close() {
    if (fd_ >= 0) ::closesocket(socketOf(fd_));
    fd_ = -1;
}

void TcpSocket::listen(uint32_t localAddress, uint16_t port, int backlog) {
    create();
    sockaddr_in sa = makeAddress(localAddress, port);
    const SOCKET s = socketOf(fd_);
    // No other program may bind the same port and take the server's data connection.
    const BOOL exclusive = TRUE;
    ::setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
    if (::bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(s, backlog) != 0) {
        int code = ::WSAGetLastError();
        close();
        throw socketError(code);
    }
}

TcpSocket TcpSocket::accept(int timeoutMs) {
    int ready = waitFor(socketOf(fd_), false, timeoutMs);
    if (ready < 0) raiseLastError();
    if (ready == 0) return TcpSocket();
    SOCKET s = notInherited(::accept(socketOf(fd_), nullptr, nullptr));
    if (s == INVALID_SOCKET) raiseLastError();
    return TcpSocket(static_cast<std::intptr_t>(s));
}

uint32_t TcpSocket::localAddress() const { return nameOf(socketOf(fd_), false).sin_addr.s_addr; }

uint16_t TcpSocket::localPort() const { return ::ntohs(nameOf(socketOf(fd_), false).sin_port); }

uint32_t TcpSocket::peerAddress() const { return nameOf(socketOf(fd_), true).sin_addr.s_addr; }

}  // namespace trev
