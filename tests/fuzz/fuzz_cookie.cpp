// Set-Cookie and Set-Cookie2 values, their dates and the store they go into.
#include "fuzz_support.h"
#include "protocols/http/http_cookies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string value = trev::fuzz::text(data, size);
    constexpr std::time_t now = 1700000000;
    trev::CookieStore store;
    if (auto cookie = trev::parseSetCookie(value, "atualiza.example.com", "/download/", now)) store.add(*cookie, now);
    for (const auto& cookie : trev::parseSetCookie2(value, "atualiza.example.com", "/download/", now))
        store.add(cookie, now);
    trev::parseCookieDate(value);
    store.cookieHeader("atualiza.example.com", "/download/atualiza/", now + 3600);
    return 0;
}
