#pragma once
// The body of an HTTP response: by length, chunked, or until the server closes.
#include "platform/output_stream.h"
#include "protocols/block_buffer.h"
#include "protocols/http_response.h"
#include "protocols/line_reader.h"
#include "protocols/work_events.h"

#include <string>
#include <vector>

namespace trev {

class HttpBodyReader {
public:
    static constexpr size_t BlockSize = BlockBuffer::BlockSize;

    HttpBodyReader(LineReader& reader, WorkTracker& work) : reader_(reader), work_(work) {}

    // Into the destination from its position. A body cut short by the server is
    // written as far as it came, then raises "Connection Closed Gracefully.".
    void readInto(const HttpResponse& response, OutputStream& destination);
    // The body of a refused response: whatever arrives before the server closes.
    std::string readErrorText(const HttpResponse& response);

private:
    void read(const HttpResponse& response, OutputStream& destination);
    void readLength(int64_t length, OutputStream& destination);
    void readChunked(OutputStream& destination);
    // False when the server closed inside the chunk.
    bool readChunk(int64_t size, OutputStream& destination);
    void readUntilClose(OutputStream& destination);
    // Copies up to count bytes that came with the head; returns the count copied.
    int64_t copyBuffered(int64_t count, OutputStream& destination);
    // Reads count bytes in blocks; false when the server closed first.
    bool copyBlocks(int64_t count, OutputStream& destination);
    int64_t readChunkSize();
    static void cutToPosition(OutputStream& destination);
    // The server closed before the body was complete: raises, except for an error text.
    void cutShort();

    LineReader& reader_;
    WorkTracker& work_;
    BlockBuffer blocks_;
    bool errorText_ = false;
};

}  // namespace trev
