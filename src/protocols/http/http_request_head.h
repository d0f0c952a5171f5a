#pragma once
// The head of a GET request, assembled for one send.
#include <string>

namespace trev {

struct HttpRequestHead {
    std::string target;
    std::string contentType;
    std::string host;
    std::string accept;
    std::string userAgent;
    std::string proxyAuthorization;
    std::string cookie;
};

// The request line, then each header whose value is not empty, then the empty line; CR LF throughout.
std::string formatRequestHead(const HttpRequestHead& head);

}  // namespace trev
