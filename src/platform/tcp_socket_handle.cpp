#include "platform/tcp_socket.h"

#include "platform/host_names.h"

#include <utility>

namespace trev {

TcpSocket::~TcpSocket() { close(); }

TcpSocket::TcpSocket(TcpSocket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

TcpSocket& TcpSocket::operator=(TcpSocket&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

// No bind first: a port bound alone stays taken while an earlier connection on it
// waits out its close, and an FTP check of many versions would use up the range;
// the connect chooses among the ports free towards this peer.
void TcpSocket::connect(const std::string& host, uint16_t port, int timeoutMs) {
    uint32_t address = resolveHost(host);
    create();
    if (int code = tryConnect(address, port, timeoutMs)) {
        close();
        throw socketError(code);
    }
}

}  // namespace trev
