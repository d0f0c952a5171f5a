#include "peers/peer_wire.h"

#include <chrono>
#include <stdexcept>

namespace trev::peers {
namespace {

constexpr size_t kMaxParts = 100000;
constexpr size_t kMaxPartBytes = size_t{256} << 20;
constexpr size_t kMaxNumberDigits = 12;

using Clock = std::chrono::steady_clock;

class MessageReader {
public:
    MessageReader(TcpSocket& socket, int timeoutMs)
        : socket_(socket), timeoutMs_(timeoutMs), deadline_(Clock::now() + std::chrono::milliseconds(timeoutMs)) {}

    // false when the stream ends before the first byte of a message.
    bool readNumber(size_t& number, bool firstOfMessage) {
        std::string digits;
        for (char c;;) {
            if (!readByte(c)) {
                if (firstOfMessage && digits.empty()) return false;
                throw std::runtime_error("peer message: connection closed");
            }
            if (c == '\n') break;
            if (c < '0' || c > '9' || digits.size() == kMaxNumberDigits)
                throw std::runtime_error("peer message: malformed length");
            digits += c;
        }
        if (digits.empty()) throw std::runtime_error("peer message: malformed length");
        number = std::stoull(digits);
        return true;
    }

    std::string readBytes(size_t count) {
        std::string bytes;
        bytes.reserve(count);
        for (char c; bytes.size() < count && readByte(c);) bytes += c;
        if (bytes.size() < count) throw std::runtime_error("peer message: connection closed");
        return bytes;
    }

private:
    // false at the end of the stream.
    bool readByte(char& c) {
        if (at_ == buffer_.size() && !fill()) return false;
        c = buffer_[at_++];
        return true;
    }

    bool fill() {
        int wait = -1;
        if (timeoutMs_ >= 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
            wait = left > 0 ? static_cast<int>(left) : 0;
        }
        buffer_.resize(65536);
        long n = socket_.receive(buffer_.data(), buffer_.size(), wait);
        if (n < 0) throw std::runtime_error("peer message: no answer in time");
        buffer_.resize(static_cast<size_t>(n));
        at_ = 0;
        return n > 0;
    }

    TcpSocket& socket_;
    int timeoutMs_;
    Clock::time_point deadline_;
    std::string buffer_;
    size_t at_ = 0;
};

}  // namespace

void sendMessage(TcpSocket& socket, const PeerMessage& message) {
    std::string bytes = std::to_string(message.size()) + "\n";
    for (const std::string& part : message) bytes += std::to_string(part.size()) + "\n" + part;
    socket.sendAll(bytes.data(), bytes.size());
}

bool receiveMessage(TcpSocket& socket, PeerMessage& message, int timeoutMs) {
    MessageReader reader(socket, timeoutMs);
    size_t count = 0;
    if (!reader.readNumber(count, true)) return false;
    if (count > kMaxParts) throw std::runtime_error("peer message: too many parts");
    message.clear();
    for (size_t i = 0; i < count; ++i) {
        size_t length = 0;
        reader.readNumber(length, false);
        if (length > kMaxPartBytes) throw std::runtime_error("peer message: part too long");
        message.push_back(reader.readBytes(length));
    }
    return true;
}

}  // namespace trev::peers
