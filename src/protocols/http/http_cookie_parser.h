#pragma once
// Cookies as servers set them: "Set-Cookie" in the Netscape format, "Set-Cookie2"
// as RFC 2965 (and RFC 2109) describe it.
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace trev {

struct Cookie {
    std::string name;
    std::string value;
    std::string domain;
    std::string path;
    std::optional<std::time_t> expires;  // none: kept for the life of the process
    bool secure = false;

    bool expired(std::time_t now) const { return expires && *expires <= now; }
};

// The cookie of one "Set-Cookie" value, received for a request to host and path.
// Nothing when it has no name or names a domain that host is not part of.
std::optional<Cookie> parseSetCookie(const std::string& value, const std::string& host, const std::string& path,
                                     std::time_t now);
// The cookies of one "Set-Cookie2" value (a comma-separated list).
std::vector<Cookie> parseSetCookie2(const std::string& value, const std::string& host, const std::string& path,
                                    std::time_t now);

// "Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6 08:49:37 1994".
std::optional<std::time_t> parseCookieDate(const std::string& text);

}  // namespace trev
