#include "protocols/buffered_connection.h"

namespace trev {

void BufferedConnection::connect(const std::string& host, uint16_t port, int timeoutMs) {
    close();
    reader_.reset();
    socket_.connect(host, port, timeoutMs);
}

void BufferedConnection::write(const std::string& bytes) {
    socket_.sendAll(bytes.data(), bytes.size(), sendTimeoutMs);
}

void BufferedConnection::close() {
    socket_.close();
    reader_.markClosed();
}

long BufferedConnection::receive(char* buffer, size_t size, int timeoutMs) {
    if (!socket_.isOpen()) return 0;
    return socket_.receive(buffer, size, timeoutMs);
}

}  // namespace trev
