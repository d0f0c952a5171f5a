#include "protocols/http/http_cookies.h"

#include <gtest/gtest.h>

#include <limits>

namespace trev {
namespace {

constexpr std::time_t kNow = 1700000000;  // 2023-11-14 22:13:20 UTC

TEST(CookieDateTest, ReadsTheThreeServerFormats) {
    const std::pair<const char*, std::optional<std::time_t>> cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", 784111777},
        {"Sunday, 06-Nov-94 08:49:37 GMT", 784111777},
        {"Sun Nov  6 08:49:37 1994", 784111777},
        {"Thu, 01-Jan-2037 00:00:00 GMT", 2114380800},
        {"Wed, 01 Jan 03 00:00:00 GMT", 1041379200},
        {"not a date", std::nullopt},
        {"Sun, 06 Nov 1994", std::nullopt},
        {"Sun, 32 Nov 1994 08:49:37 GMT", std::nullopt},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parseCookieDate(text), expected) << text;
}

TEST(SetCookieTest, AttributesAndDefaults) {
    auto c = parseSetCookie("sid = abc=1 ; Path=/download/; Domain=.example.com; Secure; HttpOnly",
                            "www.example.com", "/download/atualiza/", kNow);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->name, "sid");
    EXPECT_EQ(c->value, "abc=1");
    EXPECT_EQ(c->path, "/download/");
    EXPECT_EQ(c->domain, ".example.com");
    EXPECT_TRUE(c->secure);
    EXPECT_FALSE(c->expires);

    auto d = parseSetCookie("lang=pt", "www.example.com", "/download/atualiza/", kNow);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->domain, "www.example.com");
    EXPECT_EQ(d->path, "/download/atualiza/");
}

TEST(SetCookieTest, RefusedCookies) {
    EXPECT_FALSE(parseSetCookie("novalue", "h.example", "/", kNow));
    EXPECT_FALSE(parseSetCookie("=x", "h.example", "/", kNow));
    EXPECT_FALSE(parseSetCookie("a=1; Domain=other.example", "h.example", "/", kNow));
    EXPECT_FALSE(parseSetCookie("a=1; Domain=example", "badexample", "/", kNow));
}

TEST(SetCookieTest, ExpiryFromExpiresAndMaxAge) {
    EXPECT_EQ(parseSetCookie("a=1; expires=Sun, 06-Nov-94 08:49:37 GMT", "h", "/", kNow)->expires, 784111777);
    EXPECT_EQ(parseSetCookie("a=1; Max-Age=60", "h", "/", kNow)->expires, kNow + 60);
    EXPECT_EQ(parseSetCookie("a=1; Max-Age=60; Expires=Sun, 06-Nov-94 08:49:37 GMT", "h", "/", kNow)->expires,
              kNow + 60);
    EXPECT_TRUE(parseSetCookie("a=1; Max-Age=0", "h", "/", kNow)->expired(kNow));
    EXPECT_FALSE(parseSetCookie("a=1; expires=garbage", "h", "/", kNow)->expires);
}

TEST(SetCookieTest, LifetimesPastWhatTimeHoldsSaturate) {
    constexpr std::time_t kLatest = std::numeric_limits<std::time_t>::max();
    const std::pair<const char*, std::time_t> cases[] = {
        {"a=1; Max-Age=9223372036854775807", kLatest},
        {"a=1; Max-Age=9223372036854775000", kLatest},
        {"a=1; expires=Fri, 31 Dec 9999 23:59:59 GMT", 253402300799},
        {"a=1; expires=Sun, 06 Nov 99999999999 08:49:37 GMT", parseCookieDate("Sat, 06 Nov 9999 08:49:37 GMT").value()},
    };
    for (const auto& [header, expires] : cases) {
        auto cookie = parseSetCookie(header, "h", "/", kNow);
        ASSERT_TRUE(cookie) << header;
        EXPECT_EQ(cookie->expires, expires) << header;
        EXPECT_FALSE(cookie->expired(kNow)) << header;
    }
    EXPECT_FALSE(parseSetCookie("a=1; Max-Age=99999999999999999999", "h", "/", kNow)->expires);
}

TEST(SetCookieTest, SetCookie2HoldsSeveralCookies) {
    auto cookies = parseSetCookie2("a=\"1,2\"; Version=\"1\"; Path=\"/x/\", b=2; Version=1; Max-Age=10", "h", "/",
                                   kNow);
    ASSERT_EQ(cookies.size(), 2u);
    EXPECT_EQ(cookies[0].value, "\"1,2\"");
    EXPECT_EQ(cookies[0].path, "/x/");
    EXPECT_EQ(cookies[1].name, "b");
    EXPECT_EQ(cookies[1].expires, kNow + 10);
}

TEST(CookieStoreTest, SelectsAndOrdersCookiesForARequest) {
    CookieStore store;
    auto add = [&](const char* header, const char* host, const char* path) {
        store.add(*parseSetCookie(header, host, path, kNow), kNow);
    };
    add("root=1; Path=/", "atualiza.example.com", "/");
    add("deep=2; Path=/download/atualiza/", "atualiza.example.com", "/");
    add("mid=3; Path=/download/", "atualiza.example.com", "/");
    add("safe=4; Path=/; Secure", "atualiza.example.com", "/");
    add("brief=5; Max-Age=30", "atualiza.example.com", "/download/");
    add("other=6", "other.example.org", "/");
    add("wide=7; Domain=example.com", "atualiza.example.com", "/");

    EXPECT_EQ(store.cookieHeader("ATUALIZA.example.com", "/download/atualiza/versao.cfg", kNow),
              "deep=2; mid=3; brief=5; root=1; wide=7");
    EXPECT_EQ(store.cookieHeader("atualiza.example.com", "/index.html", kNow), "root=1; wide=7");
    EXPECT_EQ(store.cookieHeader("www.example.com", "/download/x", kNow), "wide=7");
    EXPECT_EQ(store.cookieHeader("other.example.org", "/", kNow), "other=6");
    EXPECT_EQ(store.cookieHeader("atualiza.example.com", "/download/x", kNow + 30), "mid=3; root=1; wide=7");
    EXPECT_EQ(store.size(), 6u);
}

TEST(CookieStoreTest, ReplacesAndRemovesByDomainPathAndName) {
    CookieStore store;
    store.add(*parseSetCookie("a=1", "h", "/", kNow), kNow);
    store.add(*parseSetCookie("a=2", "h", "/", kNow), kNow);
    store.add(*parseSetCookie("a=3; Path=/x/", "h", "/", kNow), kNow);
    EXPECT_EQ(store.cookieHeader("h", "/x/y", kNow), "a=3; a=2");
    store.add(*parseSetCookie("a=; Max-Age=0", "h", "/", kNow), kNow);
    EXPECT_EQ(store.cookieHeader("h", "/x/y", kNow), "a=3");
}

TEST(CookieStoreTest, KeepsAtMostFiftySmallCookiesPerDomain) {
    CookieStore store;
    store.add(*parseSetCookie("huge=" + std::string(4093, 'v'), "h", "/", kNow), kNow);
    EXPECT_EQ(store.size(), 0u);
    store.add(*parseSetCookie("big=" + std::string(4093, 'v'), "h", "/", kNow), kNow);
    EXPECT_EQ(store.size(), 1u);
    for (int i = 0; i < 60; ++i) store.add(*parseSetCookie("c" + std::to_string(i) + "=1", "h", "/", kNow), kNow);
    store.add(*parseSetCookie("other=1", "elsewhere", "/", kNow), kNow);
    EXPECT_EQ(store.size(), 51u);
    std::string header = store.cookieHeader("h", "/", kNow);
    EXPECT_EQ(header.find("big="), std::string::npos);  // the oldest went first
    EXPECT_EQ(header.find("c9="), std::string::npos);
    EXPECT_EQ(header.substr(0, 9), "c10=1; c1");
    EXPECT_EQ(header.substr(header.size() - 5), "c59=1");
}

}  // namespace
}  // namespace trev
