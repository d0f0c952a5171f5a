#pragma once
// What the HTTP client asks for, kept between calls: a URL without host or port
// refers to the previous one.
#include "protocols/http/url_parts.h"

#include <string>

namespace trev {

struct HttpTarget {
    std::string protocol;
    std::string host;
    std::string port = "80";
    std::string path;
    std::string document;
    std::string query;

    // Takes over the parts the URL gives. A URL without port on a protocol other
    // than http or https raises an HttpProtocolError with an empty message.
    void prepare(const UrlParts& url);

    std::string requestTarget() const { return path + document + query; }
    // The host, with ":" and the port unless the port is "80".
    std::string hostHeader() const;
    // What a proxy is asked for: protocol "://" host ":" port and the request target.
    std::string absoluteUri() const;
};

// A relative path ("a/../b/") against the previous one, "." and ".." collapsed.
std::string resolvePath(const std::string& base, const std::string& relative);

}  // namespace trev
