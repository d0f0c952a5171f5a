#pragma once
// Received bytes not yet consumed, over an abstract byte source, so that the
// HTTP head and chunk parsers and the FTP reply reader never see a socket.
#include "platform/errors.h"
#include "protocols/speed_floor.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace trev {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to size bytes: the count, 0 when the peer has closed, -1 when nothing
    // arrived within timeoutMs (-1 waits without limit). Failures raise SocketError.
    virtual long receive(char* buffer, size_t size, int timeoutMs) = 0;
};

// "Connection Closed Gracefully.", "Read Timeout": SocketError with code 0.
SocketError connectionClosedGracefully();
SocketError readTimeout();
// "Max line length exceeded."
Error maxLineLengthExceeded();

class LineReader {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr size_t kDefaultMaxLineLength = 16384;
    static constexpr size_t kReceiveSize = 32768;  // largest single receive for lines

    explicit LineReader(ByteSource& source) : source_(source) {}

    // Limit of every wait for data; -1 waits without limit. Running out raises "Read Timeout".
    int readTimeoutMs = -1;
    size_t maxLineLength = kDefaultMaxLineLength;
    // A limit on all waits together until cleared; running out raises "Read Timeout".
    void setDeadline(Clock::time_point deadline) { deadline_ = deadline; }
    void clearDeadline() { deadline_.reset(); }
    // A floor on how fast bytes must come in until cleared (a body).
    void setSpeedFloor(SpeedFloor floor) { floor_ = floor; }
    void clearSpeedFloor() { floor_ = SpeedFloor(); }

    // The next line up to LF, without the LF and a CR just before it.
    // Raises "Max line length exceeded." and "Connection Closed Gracefully.".
    std::string readLine();
    // As readLine, but a peer that closes before the LF gives nullopt
    // (an unterminated last fragment stays buffered).
    std::optional<std::string> readLineUnlessClosed();

    // Up to size bytes: the buffered ones if any, otherwise one receive straight
    // into out. 0 once the peer has closed and nothing is buffered.
    size_t readSome(char* out, size_t size);
    // Moves up to size buffered bytes into out without waiting.
    size_t takeBuffered(char* out, size_t size);

    size_t buffered() const { return buffer_.size() - start_; }
    bool closedByPeer() const { return closed_; }
    // Bytes taken out by the calls above and received from the source, since the last reset.
    uint64_t consumed() const { return consumed_; }
    uint64_t received() const { return received_; }

    // What came in while nobody was reading, seen without waiting.
    enum class Idle { Quiet, Input, Closed };
    Idle idleState();
    // Our side closed: no more receives, buffered bytes stay readable.
    void markClosed() { closed_ = true; }
    // Forgets buffered bytes, the close and the deadline (a new connection).
    void reset();

private:
    // One receive appended to the buffer: the count, 0 on the peer's close, -1 when nothing came in time.
    long receiveMore(int timeoutMs);
    // As receiveMore within the wait limits; false when the peer has closed.
    bool fill();
    long receiveInto(char* out, size_t size, int timeoutMs);
    int waitMs() const;
    std::optional<std::string> takeLine();

    ByteSource& source_;
    std::string buffer_;
    size_t start_ = 0;
    bool closed_ = false;
    uint64_t consumed_ = 0;
    uint64_t received_ = 0;
    std::optional<Clock::time_point> deadline_;
    SpeedFloor floor_;
};

// Lines read as one unit (an HTTP head, an FTP reply), bounded as a whole: a line
// past maxLines, or past maxBytes bytes received for the unit, raises
// "Max line length exceeded.", so an endless head or reply ends.
class BoundedLines {
public:
    BoundedLines(LineReader& reader, size_t maxLines, uint64_t maxBytes)
        : reader_(reader), maxLines_(maxLines), maxBytes_(maxBytes), start_(reader.consumed()) {}

    std::string readLine();
    std::optional<std::string> readLineUnlessClosed();

private:
    void count();

    LineReader& reader_;
    size_t maxLines_;
    uint64_t maxBytes_;
    uint64_t start_;
    size_t lines_ = 0;
};

}  // namespace trev
