#include "protocols/http/http_body.h"

#include "platform/errors.h"
#include "platform/file_errors.h"
#include "platform/text_util.h"

#include <algorithm>
#include <charconv>

namespace trev {

namespace {

class ReadCycle {
public:
    ReadCycle(WorkTracker& work, int64_t expected) : work_(work) { work_.beginWork(WorkMode::Read, expected); }
    ~ReadCycle() { work_.endWork(WorkMode::Read); }
    ReadCycle(const ReadCycle&) = delete;
    ReadCycle& operator=(const ReadCycle&) = delete;

private:
    WorkTracker& work_;
};

}  // namespace

void HttpBodyReader::readInto(const HttpResponse& response, OutputStream& destination) {
    errorText_ = false;
    room_ = std::numeric_limits<int64_t>::max();
    read(response, destination);
}

std::string HttpBodyReader::readErrorText(const HttpResponse& response) {
    errorText_ = true;
    room_ = kMaxErrorText;
    MemoryStream text;
    try {
        read(response, text);
    } catch (const Error&) {
        // A body that is slow, breaks off or does not parse: the status says what
        // went wrong, not the body, so the error keeps what came of it.
        readToEnd_ = false;
    }
    return text.data();
}

void HttpBodyReader::read(const HttpResponse& response, OutputStream& destination) {
    readToEnd_ = true;
    // Transfer-Encoding decides over Content-Length (RFC 9112 section 6.3).
    if (response.isChunked()) return readChunked(destination);
    int64_t length = response.contentLength();
    if (length > 0) {
        readLength(length, destination);
    } else if (length < 0) {
        readUntilClose(destination);
    }
}

void HttpBodyReader::cutShort() {
    if (!errorText_) throw connectionClosedGracefully();
}

int64_t HttpBodyReader::keep(int64_t count) {
    if (count > room_) {
        readToEnd_ = false;
        count = room_;
    }
    room_ -= count;
    return count;
}

int64_t HttpBodyReader::copyBuffered(int64_t count, OutputStream& destination) {
    blocks_.clear();
    size_t n = reader_.takeBuffered(blocks_.space(), static_cast<size_t>(std::min<int64_t>(count, kBlockSize)));
    blocks_.received(n);
    blocks_.handOn(n, destination, &work_);
    return static_cast<int64_t>(n);
}

// Never reads past count: on a kept-alive connection the next response follows.
bool HttpBodyReader::copyBlocks(int64_t count, OutputStream& destination) {
    blocks_.clear();
    while (count > 0) {
        size_t got = reader_.readSome(blocks_.space(), static_cast<size_t>(std::min<int64_t>(count, blocks_.room())));
        if (got == 0) break;
        blocks_.received(got);
        count -= static_cast<int64_t>(got);
        // The last block of the count is complete when it is shorter.
        blocks_.handOn(count == 0 ? blocks_.size() : blocks_.wholeBlocks(), destination, &work_);
    }
    // The server closed early: what came is written and counted all the same.
    blocks_.handOn(blocks_.size(), destination, &work_);
    return count == 0;
}

// One resize up front, to the final size; a length no file offset can reach is a full disk too.
void HttpBodyReader::reserve(OutputStream& destination, int64_t length) {
    int64_t start = destination.position();
    if (length > std::numeric_limits<int64_t>::max() - start) throw fileErrorFromCode(ioError::diskFull);
    destination.setSize(start + length);
}

void HttpBodyReader::readLength(int64_t length, OutputStream& destination) {
    // An error text in memory grows only with what arrives.
    if (!errorText_) reserve(destination, length);
    bool complete;
    try {
        ReadCycle cycle(work_, length);
        int64_t remaining = keep(length);
        while (remaining > 0 && reader_.buffered() > 0) remaining -= copyBuffered(remaining, destination);
        complete = copyBlocks(remaining, destination);
    } catch (...) {
        cutToPosition(destination);
        throw;
    }
    cutToPosition(destination);
    if (!complete) cutShort();
}

// The destination never keeps room for bytes that did not arrive.
void HttpBodyReader::cutToPosition(OutputStream& destination) {
    if (destination.size() > destination.position()) destination.setSize(destination.position());
}

void HttpBodyReader::readChunked(OutputStream& destination) {
    for (int64_t size = readChunkSize(); size > 0; size = readChunkSize()) {
        if (!readChunk(size, destination)) return;
        if (!reader_.readLineUnlessClosed()) return cutShort();
    }
    skipTrailer();
}

bool HttpBodyReader::readChunk(int64_t size, OutputStream& destination) {
    int64_t kept = keep(size);
    bool complete;
    {
        ReadCycle cycle(work_, size);
        complete = copyBlocks(kept, destination);
    }
    if (!complete) cutShort();
    return complete && kept == size;
}

// Trailer headers are not used, but bounded like a head; a server that closes
// right after the last chunk lost nothing.
void HttpBodyReader::skipTrailer() {
    BoundedLines trailer(reader_, HttpResponse::kMaxHeaderLines + 1, HttpResponse::kMaxHeadBytes);
    for (auto line = trailer.readLineUnlessClosed(); line && !line->empty(); line = trailer.readLineUnlessClosed()) {
    }
}

// The size is the hexadecimal text before any blank or chunk extension (RFC 7230 4.1).
int64_t HttpBodyReader::readChunkSize() {
    auto line = reader_.readLineUnlessClosed();
    if (!line) {
        cutShort();
        return 0;
    }
    std::string digits = trim(line->substr(0, line->find_first_of(" ;")));
    int64_t size = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), size, 16);
    if (ec != std::errc() || end != digits.data() + digits.size() || size < 0)
        throw HttpProtocolError("Invalid chunk size line.");
    return size;
}

void HttpBodyReader::readUntilClose(OutputStream& destination) {
    ReadCycle cycle(work_, 0);
    while (reader_.buffered() > 0) {
        int64_t wanted = keep(static_cast<int64_t>(std::min(reader_.buffered(), kBlockSize)));
        if (wanted == 0) return;
        copyBuffered(wanted, destination);
    }
    blocks_.clear();
    for (;;) {
        auto wanted = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(blocks_.room()), room_));
        if (wanted == 0) {
            readToEnd_ = false;
            break;
        }
        size_t got = reader_.readSome(blocks_.space(), wanted);
        if (got == 0) break;
        room_ -= static_cast<int64_t>(got);
        blocks_.received(got);
        blocks_.handOn(blocks_.wholeBlocks(), destination, &work_);
    }
    // The last, short fragment comes after the close and is not reported.
    blocks_.handOn(blocks_.size(), destination, nullptr);
}

}  // namespace trev
