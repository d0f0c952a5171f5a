#include "protocols/http/http_cookies.h"

#include "platform/text_util.h"

#include <algorithm>
#include <vector>

namespace trev {

void CookieStore::add(const Cookie& cookie, std::time_t now) {
    if (cookie.name.size() + cookie.value.size() > kMaxCookieSize) return;
    std::vector<Cookie>& cookies = byDomain_[upperCase(cookie.domain)];
    std::erase_if(cookies, [&](const Cookie& c) { return c.path == cookie.path && c.name == cookie.name; });
    if (cookie.expired(now)) return;
    if (cookies.size() == kMaxPerDomain) cookies.erase(cookies.begin());
    cookies.push_back(cookie);
}

void CookieStore::dropExpired(std::time_t now) {
    for (auto& [domain, cookies] : byDomain_)
        std::erase_if(cookies, [&](const Cookie& c) { return c.expired(now); });
}

std::string CookieStore::cookieHeader(const std::string& host, const std::string& path, std::time_t now) {
    dropExpired(now);
    std::string upperHost = upperCase(host);
    std::vector<const Cookie*> applicable;
    for (const auto& [domain, cookies] : byDomain_) {
        if (upperHost.find(domain) == std::string::npos) continue;
        for (const Cookie& c : cookies)
            if (!c.secure && path.starts_with(c.path)) applicable.push_back(&c);
    }
    std::stable_sort(applicable.begin(), applicable.end(),
                     [](const Cookie* a, const Cookie* b) { return a->path > b->path; });
    std::string header;
    for (const Cookie* c : applicable) {
        if (!header.empty()) header += "; ";
        header += c->name + "=" + c->value;
    }
    return header;
}

size_t CookieStore::size() const {
    size_t n = 0;
    for (const auto& [domain, cookies] : byDomain_) n += cookies.size();
    return n;
}

}  // namespace trev
