#pragma once
// Blocking TCP sockets. Failures are SocketError with the Winsock number and text,
// in the message "Socket Error # %d\r\n%s".
#include "platform/errors.h"

#include <cstdint>
#include <string>

namespace trev {

// Winsock numbers of the failures this system meets. On Windows, include this header
// before <winsock2.h>, whose macros carry the same names.
enum WinsockError : int {
    WSAEINTR = 10004,
    WSAEADDRINUSE = 10048,
    WSAEADDRNOTAVAIL = 10049,
    WSAENETDOWN = 10050,
    WSAENETUNREACH = 10051,
    WSAECONNABORTED = 10053,
    WSAECONNRESET = 10054,
    WSAENOTCONN = 10057,
    WSAETIMEDOUT = 10060,
    WSAECONNREFUSED = 10061,
    WSAEHOSTUNREACH = 10065,
    WSAHOST_NOT_FOUND = 11001,
};

std::string winsockErrorText(int code);
SocketError socketError(int winsockCode);
// The Winsock number that stands for an errno (POSIX).
int winsockFromErrno(int err);

// "LOCALHOST" (any case) is 127.0.0.1; a text that begins with a digit is a dotted
// address; any other is resolved by name, first address. Raises 11001 "Host not found.".
uint32_t resolveHost(const std::string& host);  // network byte order
std::string dottedAddress(uint32_t networkOrder);
// A port given as text: a service name of the system's services database (any
// protocol) first, else a decimal integer of which the low 16 bits are taken
// ("999001" is 15961); raises "'%s' is not a valid integer value" otherwise.
uint16_t servicePort(const std::string& text);

class TcpSocket {
public:
    TcpSocket() = default;
    ~TcpSocket();
    TcpSocket(TcpSocket&& other) noexcept;
    TcpSocket& operator=(TcpSocket&& other) noexcept;
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // A descriptor on POSIX, a SOCKET on Windows.
    std::intptr_t handle() const { return fd_; }

    // Every timeoutMs below: -1 waits without limit, 0 does not wait.

    // Creates the socket, binds it to any local address and connects it;
    // 10060 "Connection timed out." when the time runs out.
    void connect(const std::string& host, uint16_t port, int timeoutMs = -1);
    // Creates the socket only (for callers that connect in their own steps).
    void create();
    // Connects the created socket; returns the Winsock number of a failure, 0 on success.
    int tryConnect(uint32_t address, uint16_t port, int timeoutMs = -1);

    // Sends every byte; raises on failure.
    void sendAll(const char* data, size_t size);
    // Sends once; returns the bytes sent or -1 (nothing raised).
    long trySend(const char* data, size_t size);
    // Up to size bytes; 0 when the peer has closed; -1 when the time ran out.
    long receive(char* buffer, size_t size, int timeoutMs = -1);
    // Whether data (or the peer's close) is waiting, within timeoutMs.
    bool waitReadable(int timeoutMs);

    void shutdownBoth();
    void close();

    // Listening (the FTP client's data connection).
    void listen(uint32_t localAddress, uint16_t port, int backlog);
    // Waits for one connection; returns a closed socket when the time ran out.
    TcpSocket accept(int timeoutMs);

    uint32_t localAddress() const;  // network byte order
    uint16_t localPort() const;
    uint32_t peerAddress() const;  // network byte order

private:
    explicit TcpSocket(std::intptr_t fd) : fd_(fd) {}
    std::intptr_t fd_ = -1;
};

}  // namespace trev
