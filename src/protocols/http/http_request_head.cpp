#include "protocols/http/http_request_head.h"

namespace trev {
namespace {

void addHeader(std::string& out, const char* name, const std::string& value) {
    if (value.empty()) return;
    out.append(name).append(": ").append(value).append("\r\n");
}

}  // namespace

std::string formatRequestHead(const HttpRequestHead& head) {
    std::string out = "GET " + head.target + " HTTP/1.1\r\n";
    addHeader(out, "Content-Type", head.contentType);
    addHeader(out, "Host", head.host);
    addHeader(out, "Accept", head.accept);
    addHeader(out, "User-Agent", head.userAgent);
    addHeader(out, "Proxy-Authorization", head.proxyAuthorization);
    addHeader(out, "Cookie", head.cookie);
    out += "\r\n";
    return out;
}

}  // namespace trev
