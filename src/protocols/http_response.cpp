#include "protocols/http_response.h"

#include "platform/text_util.h"

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

void addHeaderLine(HttpResponse& response, const std::string& line) {
    // Obsolete line folding (RFC 2616 2.2): a leading blank continues the value above.
    if ((line[0] == ' ' || line[0] == '\t') && !response.headers.empty()) {
        std::string& value = response.headers.back().second;
        value = Trim(value + " " + Trim(line));
        return;
    }
    size_t colon = line.find(':');
    if (colon == std::string::npos) {
        response.headers.emplace_back(Trim(line), "");
        return;
    }
    response.headers.emplace_back(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
}

void readOneHead(LineReader& reader, HttpResponse& response) {
    response = HttpResponse{};
    response.statusLine = reader.readLine();
    response.statusCode = parseStatusCode(response.statusLine);
    for (;;) {
        auto line = reader.readLineUnlessClosed();
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
    std::string wanted = UpperCase(name);
    for (const auto& [key, value] : headers)
        if (UpperCase(key) == wanted) return value;
    return {};
}

std::vector<std::string> HttpResponse::headerValues(const std::string& name) const {
    std::vector<std::string> values;
    std::string wanted = UpperCase(name);
    for (const auto& [key, value] : headers)
        if (UpperCase(key) == wanted) values.push_back(value);
    return values;
}

int64_t HttpResponse::contentLength() const {
    int64_t length = 0;
    if (!parseDecimal(header("Content-Length"), length) || length < 0) return -1;
    return length;
}

bool HttpResponse::isRedirect() const {
    return (statusCode >= 300 && statusCode <= 399 && statusCode != 304) || !header("Location").empty();
}

HttpResponse readResponseHead(LineReader& reader) {
    HttpResponse response;
    do {
        readOneHead(reader, response);
    } while (response.statusCode == 100 && !response.closedDuringHead);
    return response;
}

}  // namespace trev

