#pragma once
// Cookies received and sent back, in memory for the life of the process.
#include "protocols/http/http_cookie_parser.h"

#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace trev {

class CookieStore {
public:
    // Bounds on what a server can have the client keep and send back (RFC 6265
    // section 6.1 asks for at least these): a larger cookie is ignored, and past
    // the count the oldest cookie of the domain goes.
    static constexpr size_t kMaxCookieSize = 4096;  // name and value
    static constexpr size_t kMaxPerDomain = 50;

    // A cookie replaces the one of the same domain, path and name; an expired one removes it.
    void add(const Cookie& cookie, std::time_t now);
    // Drops expired cookies, then gives "name=value" of those that apply to host and
    // path, joined by "; ", the later-sorting path first; empty when none applies.
    std::string cookieHeader(const std::string& host, const std::string& path, std::time_t now);
    size_t size() const;

private:
    void dropExpired(std::time_t now);
    std::map<std::string, std::vector<Cookie>> byDomain_;  // upper-case domain
};

}  // namespace trev
