#include "protocols/http/url_parts.h"

#include <algorithm>

namespace trev {
namespace {

void splitAuthority(const std::string& authority, UrlParts& parts) {
    std::string hostPort = authority;
    size_t at = authority.find('@');
    if (at != std::string::npos) {
        std::string userInfo = authority.substr(0, at);
        hostPort = authority.substr(at + 1);
        size_t colon = userInfo.find(':');
        parts.username = userInfo.substr(0, colon);
        // A password without a user name means nothing.
        if (colon != std::string::npos && !parts.username.empty()) parts.password = userInfo.substr(colon + 1);
    }
    size_t colon = hostPort.find(':');
    parts.host = hostPort.substr(0, colon);
    if (colon != std::string::npos) parts.port = hostPort.substr(colon + 1);
}

// The query starts at "?", or at "=" when there is no "?"; "#" ends everything before it.
void splitPathAndDocument(const std::string& text, const std::string& pathPrefix, UrlParts& parts) {
    size_t hash = std::min(text.find('#'), text.size());
    if (hash < text.size()) parts.fragment = text.substr(hash + 1);
    size_t queryStart = text.find('?');
    if (queryStart == std::string::npos) queryStart = text.find('=');
    queryStart = std::min(queryStart, hash);
    parts.query = text.substr(queryStart, hash - queryStart);
    size_t slash = queryStart == 0 ? std::string::npos : text.rfind('/', queryStart - 1);
    size_t documentStart = slash == std::string::npos ? 0 : slash + 1;
    parts.path = pathPrefix + text.substr(0, documentStart);
    parts.document = text.substr(documentStart, queryStart - documentStart);
}

}  // namespace

UrlParts parseUrl(std::string url) {
    std::replace(url.begin(), url.end(), '\\', '/');
    UrlParts parts;
    size_t scheme = url.find("://");
    if (scheme == std::string::npos) {
        splitPathAndDocument(url, "", parts);
        return parts;
    }
    parts.protocol = url.substr(0, scheme);
    std::string rest = url.substr(scheme + 3);
    size_t slash = rest.find('/');
    splitAuthority(rest.substr(0, slash), parts);
    splitPathAndDocument(slash == std::string::npos ? "" : rest.substr(slash + 1), "/", parts);
    return parts;
}

}  // namespace trev
