#include "protocols/http/http_target.h"

#include "platform/errors.h"
#include "platform/text_util.h"

#include <vector>

namespace trev {

std::string resolvePath(const std::string& base, const std::string& relative) {
    std::string combined = base + relative;
    std::vector<std::string> segments;
    size_t start = combined.starts_with('/') ? 1 : 0;
    while (start <= combined.size()) {
        size_t slash = combined.find('/', start);
        if (slash == std::string::npos) slash = combined.size();
        std::string segment = combined.substr(start, slash - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (segment != "." && !(segment.empty() && slash == combined.size())) {
            segments.push_back(segment);
        }
        start = slash + 1;
    }
    std::string path = combined.starts_with('/') ? "/" : "";
    for (const auto& segment : segments) path += segment + "/";
    return path;
}

void HttpTarget::prepare(const UrlParts& url) {
    path = url.path.starts_with('/') ? url.path : resolvePath(path, url.path);
    document = url.document;
    query = url.query;
    if (!url.host.empty()) host = url.host;
    protocol = url.protocol.empty() ? "http" : url.protocol;
    if (!url.port.empty()) {
        port = url.port;
        return;
    }
    // A remembered non-standard port stays in force for a URL that names none.
    if (!port.empty() && port != "0" && port != "80" && port != "443") return;
    std::string scheme = upperCase(protocol);
    if (scheme == "HTTP") port = "80";
    else if (scheme == "HTTPS") port = "443";
    else throw HttpProtocolError("");
}

std::string HttpTarget::hostHeader() const {
    return port == "80" ? host : host + ":" + port;
}

std::string HttpTarget::absoluteUri() const {
    return protocol + "://" + host + ":" + port + requestTarget();
}

}  // namespace trev
