#pragma once
// Blocking TCP sockets (tcp_socket_handle.cpp; tcp_socket_posix.cpp or tcp_socket_win32.cpp).
// Failures are SocketError with the Winsock number and text (winsock_errors.h).
#include "platform/winsock_errors.h"

#include <cstdint>
#include <string>

namespace trev {

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

    // Creates the socket and connects it (the connect chooses the local port);
    // 10060 "Connection timed out." when the time runs out.
    void connect(const std::string& host, uint16_t port, int timeoutMs = -1);
    // Creates the socket only (for callers that connect in their own steps).
    void create();
    // Connects the created socket; returns the Winsock number of a failure, 0 on success.
    int tryConnect(uint32_t address, uint16_t port, int timeoutMs = -1);

    // Sends every byte; raises on failure, and 10060 "Connection timed out." when
    // one wait for room to send lasts past timeoutMs.
    void sendAll(const char* data, size_t size, int timeoutMs = -1);
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
