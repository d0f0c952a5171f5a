#pragma once
// One TCP connection with its input buffer and line reader: what the HTTP client
// and the FTP control and data connections talk through.
#include "platform/tcp_socket.h"
#include "protocols/line_reader.h"

#include <cstdint>
#include <string>

namespace trev {

class BufferedConnection : private ByteSource {
public:
    BufferedConnection() : reader_(*this) {}
    // Takes over an already connected socket (an accepted data connection).
    explicit BufferedConnection(TcpSocket socket) : socket_(std::move(socket)), reader_(*this) {}
    BufferedConnection(const BufferedConnection&) = delete;
    BufferedConnection& operator=(const BufferedConnection&) = delete;

    // Resolves host and connects; timeoutMs -1 waits
    // without limit, running out raises 10060. Any failure leaves it closed.
    void connect(const std::string& host, uint16_t port, int timeoutMs);
    bool isOpen() const { return socket_.isOpen(); }
    // Open and no close seen from the peer.
    bool connected() const { return socket_.isOpen() && !reader_.closedByPeer(); }
    // Sends every byte at once; raises SocketError, 10060 when a wait to send
    // lasts past sendTimeoutMs (-1: no limit).
    void write(const std::string& bytes);
    int sendTimeoutMs = -1;
    void close();

    LineReader& reader() { return reader_; }
    TcpSocket& socket() { return socket_; }

private:
    long receive(char* buffer, size_t size, int timeoutMs) override;

    TcpSocket socket_;
    LineReader reader_;
};

}  // namespace trev
