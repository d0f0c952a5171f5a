#include "protocols/line_reader.h"

#include <algorithm>
#include <cstring>

namespace trev {

SocketError connectionClosedGracefully() { return SocketError(0, "Connection Closed Gracefully."); }
SocketError readTimeout() { return SocketError(0, "Read Timeout"); }
Error maxLineLengthExceeded() { return Error("Max line length exceeded."); }

int LineReader::waitMs() const {
    int wait = floor_.limitWait(readTimeoutMs);
    if (!deadline_) return wait;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline_ - Clock::now()).count();
    int untilDeadline = static_cast<int>(std::clamp<decltype(left)>(left, 0, INT32_MAX));
    return wait < 0 ? untilDeadline : std::min(wait, untilDeadline);
}

long LineReader::receiveInto(char* out, size_t size, int timeoutMs) {
    long n = source_.receive(out, size, timeoutMs);
    if (n == 0) closed_ = true;
    if (n > 0) {
        received_ += static_cast<uint64_t>(n);
        floor_.received(n);
    }
    return n;
}

long LineReader::receiveMore(int timeoutMs) {
    if (start_ > 0 && start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    } else if (start_ >= kReceiveSize) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    size_t old = buffer_.size();
    buffer_.resize(old + kReceiveSize);
    long n = -1;
    try {
        n = receiveInto(buffer_.data() + old, kReceiveSize, timeoutMs);
    } catch (...) {
        buffer_.resize(old);
        throw;
    }
    buffer_.resize(old + static_cast<size_t>(std::max(n, 0L)));
    return n;
}

bool LineReader::fill() {
    if (closed_) return false;
    long n = receiveMore(waitMs());
    if (n < 0) throw readTimeout();
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
    consumed_ += lf + 1 - start_;
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
    consumed_ += n;
    return n;
}

size_t LineReader::readSome(char* out, size_t size) {
    if (buffered() > 0) return takeBuffered(out, size);
    if (closed_) return 0;
    // Straight into the caller's memory: bodies are not copied twice.
    long n = receiveInto(out, size, waitMs());
    if (n < 0) throw readTimeout();
    consumed_ += static_cast<uint64_t>(n);
    return static_cast<size_t>(n);
}

LineReader::Idle LineReader::idleState() {
    if (closed_) return Idle::Closed;
    if (buffered() == 0) {
        long n = receiveMore(0);
        if (n < 0) return Idle::Quiet;
        if (n == 0) return Idle::Closed;
    }
    return Idle::Input;
}

void LineReader::reset() {
    buffer_.clear();
    start_ = 0;
    closed_ = false;
    consumed_ = 0;
    received_ = 0;
    deadline_.reset();
    floor_ = SpeedFloor();
}

void BoundedLines::count() {
    if (++lines_ > maxLines_ || reader_.consumed() - start_ > maxBytes_) throw maxLineLengthExceeded();
}

std::string BoundedLines::readLine() {
    std::string line = reader_.readLine();
    count();
    return line;
}

std::optional<std::string> BoundedLines::readLineUnlessClosed() {
    auto line = reader_.readLineUnlessClosed();
    if (line) count();
    return line;
}

}  // namespace trev
