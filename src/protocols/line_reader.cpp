#include "protocols/line_reader.h"

#include <algorithm>
#include <cstring>

namespace trev {

SocketError connectionClosedGracefully() { return SocketError(0, "Connection Closed Gracefully."); }
SocketError readTimeout() { return SocketError(0, "Read Timeout"); }
Error maxLineLengthExceeded() { return Error("Max line length exceeded."); }

long LineReader::receiveInto(char* out, size_t size) {
    long n = source_.receive(out, size, readTimeoutMs);
    if (n < 0) throw readTimeout();
    if (n == 0) closed_ = true;
    return n;
}

bool LineReader::fill() {
    if (closed_) return false;
    if (start_ > 0 && start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    } else if (start_ >= ReceiveSize) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    size_t old = buffer_.size();
    buffer_.resize(old + ReceiveSize);
    long n = receiveInto(buffer_.data() + old, ReceiveSize);
    buffer_.resize(old + static_cast<size_t>(n));
    return n > 0;
}

std::optional<std::string> LineReader::takeLine() {
    size_t lf = buffer_.find('\n', start_);
    if (lf == std::string::npos) {
        // A CR may still precede the LF that has not arrived.
        if (buffered() > maxLineLength + 1) throw maxLineLengthExceeded();
        return std::nullopt;
    }
    size_t end = lf > start_ && buffer_[lf - 1] == '\r' ? lf - 1 : lf;
    if (end - start_ > maxLineLength) throw maxLineLengthExceeded();
    std::string line = buffer_.substr(start_, end - start_);
    start_ = lf + 1;
    return line;
}

std::optional<std::string> LineReader::readLineUnlessClosed() {
    for (;;) {
        if (auto line = takeLine()) return line;
        if (!fill()) return std::nullopt;
    }
}

std::string LineReader::readLine() {
    auto line = readLineUnlessClosed();
    if (!line) throw connectionClosedGracefully();
    return *line;
}

size_t LineReader::takeBuffered(char* out, size_t size) {
    size_t n = std::min(size, buffered());
    std::memcpy(out, buffer_.data() + start_, n);
    start_ += n;
    return n;
}

size_t LineReader::readSome(char* out, size_t size) {
    if (buffered() > 0) return takeBuffered(out, size);
    if (closed_) return 0;
    // Straight into the caller's memory: bodies are not copied twice.
    return static_cast<size_t>(receiveInto(out, size));
}

bool LineReader::pollForClose(int pollMs) {
    if (closed_) return true;
    if (buffered() > 0) return false;
    buffer_.resize(ReceiveSize);
    start_ = 0;
    long n = source_.receive(buffer_.data(), ReceiveSize, pollMs);
    buffer_.resize(n > 0 ? static_cast<size_t>(n) : 0);
    if (n == 0) closed_ = true;
    return closed_;
}

void LineReader::reset() {
    buffer_.clear();
    start_ = 0;
    closed_ = false;
}

}  // namespace trev
