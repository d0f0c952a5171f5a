#pragma once
// The head of an HTTP response, read from a line reader.
#include "protocols/line_reader.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace trev {

struct HttpResponse {
    // Bounds of what a server may send as heads: past them "Max line length exceeded.".
    static constexpr size_t kMaxHeaderLines = 1000;
    static constexpr uint64_t kMaxHeadBytes = 300 * 1024;
    static constexpr int kMaxInterimHeads = 10;

    std::string statusLine;
    int statusCode = -1;
    std::vector<std::pair<std::string, std::string>> headers;  // trimmed values
    bool closedDuringHead = false;

    // The first header of that name (without regard to case); empty when absent.
    std::string header(const std::string& name) const;
    std::vector<std::string> headerValues(const std::string& name) const;
    // -1 when absent. Raises "Invalid Content-Length header." for a value that is
    // not a number, is too large for a file offset, or differs from another one
    // (RFC 9112 section 6.3): such a body has no known end.
    int64_t contentLength() const;
    bool isRedirect() const;
    // The codings of "Transfer-Encoding", all fields in order, trimmed; empty when absent.
    std::vector<std::string> transferCodings() const;
    // Chunked framing: "chunked" as the last coding. Any other coding raises
    // "Unsupported Transfer-Encoding: ..." (nothing here decodes it).
    bool isChunked() const;
    // Both a length and codings: the codings frame it, and the connection cannot
    // be trusted with another response (RFC 9112 section 6.3).
    bool hasConflictingFraming() const;
    bool isSuccess() const { return statusCode >= 200 && statusCode <= 299; }
};

// The first token after the protocol, as a decimal number; -1 when it is not one.
int parseStatusCode(const std::string& statusLine);

// Reads status line and header block, skipping interim 1xx heads (at most
// kMaxInterimHeads, then "Too many interim responses."), each head bounded as
// above; a 101 raises its status line. A close before
// the status line is complete raises "Connection Closed Gracefully."; a close in
// the header block ends the head with what arrived and sets closedDuringHead.
HttpResponse readResponseHead(LineReader& reader);

}  // namespace trev
