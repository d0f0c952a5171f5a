#include "protocols/http/http_response.h"

#include "platform/errors.h"
#include "platform/text_util.h"

#include <algorithm>
#include <charconv>

namespace trev {
namespace {

bool parseDecimal(const std::string& text, int64_t& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last && first != last;
}

// Content-Length = 1*DIGIT; from_chars fails on a number too large for int64_t.
bool parseLength(const std::string& text, int64_t& value) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc();
}

HttpProtocolError invalidContentLength() { return HttpProtocolError("Invalid Content-Length header."); }

bool isInterim(int code) { return code >= 100 && code <= 199; }

void addHeaderLine(HttpResponse& response, const std::string& line) {
    // Obsolete line folding (RFC 2616 2.2): a leading blank continues the value above.
    // Appended in place, so a long fold costs what it brings, not the value again.
    if ((line[0] == ' ' || line[0] == '\t') && !response.headers.empty()) {
        std::string& value = response.headers.back().second;
        std::string part = trim(line);
        if (part.empty()) return;
        if (!value.empty()) value += ' ';
        value += part;
        return;
    }
    size_t colon = line.find(':');
    if (colon == std::string::npos) {
        response.headers.emplace_back(trim(line), "");
        return;
    }
    response.headers.emplace_back(trim(line.substr(0, colon)), trim(line.substr(colon + 1)));
}

void readOneHead(LineReader& reader, HttpResponse& response) {
    // The status line and the empty line that ends the head come on top of the header lines.
    BoundedLines head(reader, HttpResponse::kMaxHeaderLines + 2, HttpResponse::kMaxHeadBytes);
    response = HttpResponse{};
    response.statusLine = head.readLine();
    response.statusCode = parseStatusCode(response.statusLine);
    for (;;) {
        auto line = head.readLineUnlessClosed();
        if (!line) {
            response.closedDuringHead = true;
            return;
        }
        if (line->empty()) return;
        addHeaderLine(response, *line);
    }
}

}  // namespace

int parseStatusCode(const std::string& statusLine) {
    size_t start = statusLine.find(' ');
    if (start == std::string::npos) return -1;
    ++start;
    std::string token = statusLine.substr(start, statusLine.find(' ', start) - start);
    int64_t code = 0;
    if (!parseDecimal(token, code) || code < INT32_MIN || code > INT32_MAX) return -1;
    return static_cast<int>(code);
}

std::string HttpResponse::header(const std::string& name) const {
    std::string wanted = upperCase(name);
    for (const auto& [key, value] : headers)
        if (upperCase(key) == wanted) return value;
    return {};
}

std::vector<std::string> HttpResponse::headerValues(const std::string& name) const {
    std::vector<std::string> values;
    std::string wanted = upperCase(name);
    for (const auto& [key, value] : headers)
        if (upperCase(key) == wanted) values.push_back(value);
    return values;
}

// Repeated fields and comma lists of one same value are that value (RFC 9110 section 8.6).
int64_t HttpResponse::contentLength() const {
    int64_t length = -1;
    for (const auto& field : headerValues("Content-Length")) {
        size_t start = 0;
        for (;;) {
            size_t comma = field.find(',', start);
            int64_t value = 0;
            if (!parseLength(trim(field.substr(start, comma - start)), value) || (length >= 0 && value != length))
                throw invalidContentLength();
            length = value;
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    }
    return length;
}

bool HttpResponse::isRedirect() const {
    return (statusCode >= 300 && statusCode <= 399 && statusCode != 304) || !header("Location").empty();
}

std::vector<std::string> HttpResponse::transferCodings() const {
    std::vector<std::string> codings;
    for (const auto& field : headerValues("Transfer-Encoding")) {
        for (size_t start = 0; start <= field.size();) {
            size_t comma = std::min(field.find(',', start), field.size());
            std::string coding = trim(field.substr(start, comma - start));
            if (!coding.empty()) codings.push_back(coding);
            start = comma + 1;
        }
    }
    return codings;
}

// Codings compare without regard to case (RFC 9110 section 10.1.4); a name that
// merely contains "chunked" is another coding.
bool HttpResponse::isChunked() const {
    const std::vector<std::string> codings = transferCodings();
    if (codings.empty()) return false;
    for (size_t i = 0; i < codings.size(); ++i) {
        if (upperCase(codings[i]) != "CHUNKED" || i + 1 != codings.size())
            throw HttpProtocolError("Unsupported Transfer-Encoding: " + escapeControlBytes(header("Transfer-Encoding")));
    }
    return true;
}

bool HttpResponse::hasConflictingFraming() const {
    return !transferCodings().empty() && !headerValues("Content-Length").empty();
}

HttpResponse readResponseHead(LineReader& reader) {
    HttpResponse response;
    int interim = 0;
    do {
        // 1xx heads tell of progress only (RFC 9110 section 15.2): 102 and 103 are
        // skipped like 100, but a server that sends nothing else never ends.
        if (interim++ > HttpResponse::kMaxInterimHeads) throw HttpProtocolError("Too many interim responses.");
        readOneHead(reader, response);
        // A switch of protocols was never asked for and nothing here speaks another.
        if (response.statusCode == 101)
            throw HttpProtocolError(escapeControlBytes(response.statusLine), response.statusCode);
    } while (isInterim(response.statusCode) && !response.closedDuringHead);
    return response;
}

}  // namespace trev
