#include "protocols/http/http_cookie_parser.h"

#include "platform/text_util.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <limits>

namespace trev {
namespace {

std::string unquote(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
    return text;
}

// Splits at separator, except inside double quotes.
std::vector<std::string> splitOutsideQuotes(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (c == separator && !quoted) parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

bool parseNumber(const std::string& text, int64_t& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// host is the domain itself or lies inside it.
bool domainMatches(const std::string& host, std::string domain) {
    if (domain.starts_with('.')) domain.erase(0, 1);
    std::string h = upperCase(host);
    std::string d = upperCase(domain);
    if (d.empty() || !h.ends_with(d)) return false;
    return h.size() == d.size() || h[h.size() - d.size() - 1] == '.';
}

// A lifetime past what time_t holds is "for the life of the process", not a wrap into the past.
std::time_t saturatingAdd(std::time_t now, int64_t seconds) {
    constexpr std::time_t kLatest = std::numeric_limits<std::time_t>::max();
    return seconds > kLatest - now ? kLatest : now + static_cast<std::time_t>(seconds);
}

void applyAttribute(Cookie& cookie, const std::string& name, const std::string& value, std::time_t now,
                    bool& hasMaxAge) {
    std::string key = upperCase(name);
    if (key == "EXPIRES" && !hasMaxAge) {
        if (auto date = parseCookieDate(value)) cookie.expires = date;
    } else if (key == "MAX-AGE") {
        int64_t seconds = 0;
        if (!parseNumber(value, seconds)) return;
        hasMaxAge = true;
        cookie.expires = seconds <= 0 ? now - 1 : saturatingAdd(now, seconds);
    } else if (key == "DOMAIN") {
        cookie.domain = value;
    } else if (key == "PATH") {
        cookie.path = value;
    } else if (key == "SECURE") {
        cookie.secure = true;
    }
}

int monthNumber(const std::string& token) {
    static const char* const kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    std::string prefix = upperCase(token.substr(0, 3));
    for (int m = 0; m < 12; ++m)
        if (token.size() >= 3 && prefix == kMonths[m]) return m;
    return -1;
}

// Later years saturate: such a cookie simply lives as long as the process.
constexpr int kLatestYear = 9999;

struct DateFields {
    int day = -1, month = -1, year = -1, hour = -1, minute = -1, second = -1;
    bool complete() const { return day >= 1 && day <= 31 && month >= 0 && year >= 1970 && hour >= 0; }
};

void takeDateToken(const std::string& token, DateFields& f) {
    if (token.find(':') != std::string::npos) {
        if (std::sscanf(token.c_str(), "%2d:%2d:%2d", &f.hour, &f.minute, &f.second) != 3 || f.hour > 23 ||
            f.minute > 59 || f.second > 60)
            f.hour = -1;
    } else if (std::isalpha(static_cast<unsigned char>(token[0]))) {
        if (int m = monthNumber(token); m >= 0) f.month = m;
    } else if (int64_t n = 0; parseNumber(token, n)) {
        if (f.day < 0 && token.size() <= 2) f.day = static_cast<int>(n);
        else f.year = static_cast<int>(n < 70 ? n + 2000 : n < 100 ? n + 1900 : std::min<int64_t>(n, kLatestYear));
    }
}

}  // namespace

std::optional<Cookie> parseSetCookie(const std::string& text, const std::string& host, const std::string& path,
                               std::time_t now) {
    std::vector<std::string> pairs = splitOutsideQuotes(text, ';');
    size_t equals = pairs[0].find('=');
    if (equals == std::string::npos) return std::nullopt;
    Cookie cookie;
    cookie.name = trim(pairs[0].substr(0, equals));
    cookie.value = trim(pairs[0].substr(equals + 1));
    if (cookie.name.empty()) return std::nullopt;
    cookie.domain = host;
    cookie.path = path;
    bool hasMaxAge = false;
    for (size_t i = 1; i < pairs.size(); ++i) {
        size_t eq = pairs[i].find('=');
        std::string value = eq == std::string::npos ? "" : unquote(trim(pairs[i].substr(eq + 1)));
        applyAttribute(cookie, trim(pairs[i].substr(0, eq)), value, now, hasMaxAge);
    }
    // A server may set cookies only for a domain it belongs to.
    if (!domainMatches(host, cookie.domain)) return std::nullopt;
    if (cookie.path.empty()) cookie.path = path;
    return cookie;
}

std::vector<Cookie> parseSetCookie2(const std::string& value, const std::string& host, const std::string& path,
                                    std::time_t now) {
    std::vector<Cookie> cookies;
    for (const auto& part : splitOutsideQuotes(value, ','))
        if (auto cookie = parseSetCookie(part, host, path, now)) cookies.push_back(*cookie);
    return cookies;
}

std::optional<std::time_t> parseCookieDate(const std::string& text) {
    DateFields fields;
    std::string token;
    for (size_t i = 0; i <= text.size(); ++i) {
        char c = i < text.size() ? text[i] : ' ';
        if (c == ' ' || c == ',' || c == '-' || c == '\t') {
            if (!token.empty()) takeDateToken(token, fields);
            token.clear();
        } else {
            token += c;
        }
    }
    if (!fields.complete()) return std::nullopt;
    using namespace std::chrono;
    // "31 Feb" counts on into March, as the C library's calendar does.
    const sys_seconds when = sys_days{year{fields.year} / month{static_cast<unsigned>(fields.month + 1)} / 1} +
                             days{fields.day - 1} + hours{fields.hour} + minutes{fields.minute} + seconds{fields.second};
    return static_cast<std::time_t>(when.time_since_epoch().count());
}

}  // namespace trev
