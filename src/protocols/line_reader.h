#pragma once
// Received bytes not yet consumed, over an abstract byte source, so that the
// HTTP head and chunk parsers and the FTP reply reader never see a socket.
#include "platform/errors.h"

#include <cstddef>
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
    static constexpr size_t DefaultMaxLineLength = 16384;
    static constexpr size_t ReceiveSize = 32768;  // largest single receive for lines

    explicit LineReader(ByteSource& source) : source_(source) {}

    // Limit of every wait for data; -1 waits without limit. Running out raises "Read Timeout".
    int readTimeoutMs = -1;
    size_t maxLineLength = DefaultMaxLineLength;

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
    // Waits up to pollMs for bytes or a close that arrived while idle; true when closed.
    bool pollForClose(int pollMs);
    // Our side closed: no more receives, buffered bytes stay readable.
    void markClosed() { closed_ = true; }
    // Forgets buffered bytes and the close (a new connection).
    void reset();

private:
    // One receive appended to the buffer; false when the peer has closed.
    bool fill();
    long receiveInto(char* out, size_t size);
    std::optional<std::string> takeLine();

    ByteSource& source_;
    std::string buffer_;
    size_t start_ = 0;
    bool closed_ = false;
};

}  // namespace trev
