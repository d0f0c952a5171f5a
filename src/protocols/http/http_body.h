#pragma once
// The body of an HTTP response: by length, chunked, or until the server closes.
#include "platform/output_stream.h"
#include "protocols/block_buffer.h"
#include "protocols/http/http_response.h"
#include "protocols/line_reader.h"
#include "protocols/work_events.h"

#include <limits>
#include <string>
#include <vector>

namespace trev {

class HttpBodyReader {
public:
    static constexpr size_t kBlockSize = BlockBuffer::kBlockSize;
    // What an error's text keeps of a refused response's body.
    static constexpr int64_t kMaxErrorText = 64 * 1024;

    HttpBodyReader(LineReader& reader, WorkTracker& work) : reader_(reader), work_(work) {}

    // Into the destination from its position. A body cut short by the server is
    // written as far as it came, then raises "Connection Closed Gracefully.".
    void readInto(const HttpResponse& response, OutputStream& destination);
    // The body of a refused response, as far as it arrives before the server closes,
    // up to kMaxErrorText bytes; a body that does not frame is left unread.
    std::string readErrorText(const HttpResponse& response);
    // Whether the last body was read to its end, so the connection can carry another response.
    bool readToEnd() const { return readToEnd_; }

private:
    void read(const HttpResponse& response, OutputStream& destination);
    void readLength(int64_t length, OutputStream& destination);
    void readChunked(OutputStream& destination);
    // False when the server closed inside the chunk or the chunk is beyond what is kept.
    bool readChunk(int64_t size, OutputStream& destination);
    void skipTrailer();
    void readUntilClose(OutputStream& destination);
    // Copies up to count bytes that came with the head; returns the count copied.
    int64_t copyBuffered(int64_t count, OutputStream& destination);
    // Reads count bytes in blocks; false when the server closed first.
    bool copyBlocks(int64_t count, OutputStream& destination);
    // Count, cut to what may still be kept; a cut means the body is not read to its end.
    int64_t keep(int64_t count);
    int64_t readChunkSize();
    static void reserve(OutputStream& destination, int64_t length);
    static void cutToPosition(OutputStream& destination);
    // The server closed before the body was complete: raises, except for an error text.
    void cutShort();

    LineReader& reader_;
    WorkTracker& work_;
    BlockBuffer blocks_;
    bool errorText_ = false;
    int64_t room_ = std::numeric_limits<int64_t>::max();
    bool readToEnd_ = false;
};

}  // namespace trev
