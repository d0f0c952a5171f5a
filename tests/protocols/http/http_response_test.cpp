#include "protocols/http/http_response.h"

#include "scripted_source.h"
#include "support/raised.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace trev {
namespace {

using test::ScriptedSource;

HttpResponse readHead(std::deque<std::string> pieces) {
    ScriptedSource source(std::move(pieces));
    LineReader reader(source);
    return readResponseHead(reader);
}

std::string messageOf(std::deque<std::string> pieces) {
    return test::raisedMessage([&] { readHead(std::move(pieces)); });
}

TEST(HttpResponseTest, StatusCodeIsTheSecondTokenOrMinusOne) {
    const std::pair<const char*, int> cases[] = {
        {"HTTP/1.1 200 OK", 200}, {"HTTP/1.0 404 Not Found", 404}, {"HTTP/1.1 302", 302},
        {"HTTP/1.1 abc OK", -1},  {"HTTP/1.1  200 OK", -1},        {"garbage", -1},
        {"", -1},
    };
    for (const auto& [line, code] : cases) EXPECT_EQ(parseStatusCode(line), code) << line;
}

TEST(HttpResponseTest, InterimHundredHeadsAreSkipped) {
    HttpResponse r = readHead({"HTTP/1.1 100 Continue\r\nX: 1\r\n\r\nHTTP/1.1 100 Continue\r\n\r\n",
                               "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n"});
    EXPECT_EQ(r.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(r.statusCode, 200);
    ASSERT_EQ(r.headers.size(), 1u);
    EXPECT_EQ(r.contentLength(), 5);
    EXPECT_FALSE(r.closedDuringHead);
}

TEST(HttpResponseTest, FoldedLinesJoinAndValuesAreTrimmed) {
    HttpResponse r = readHead({"HTTP/1.1 200 OK\nX-Long: a\r\n  b \r\n\tc\r\nserver:  nginx \t\r\n", "\r\n"});
    EXPECT_EQ(r.header("x-long"), "a b c");
    EXPECT_EQ(r.header("SERVER"), "nginx");
    EXPECT_EQ(r.header("Location"), "");
    EXPECT_EQ(r.contentLength(), -1);
}

TEST(HttpResponseTest, CloseInTheHeaderBlockKeepsWhatArrived) {
    HttpResponse r = readHead({"HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\nPart"});
    EXPECT_TRUE(r.closedDuringHead);
    EXPECT_EQ(r.statusCode, 404);
    EXPECT_EQ(r.contentLength(), 3);
}

TEST(HttpResponseTest, BrokenHeadsRaise) {
    std::string longValue(16384 - 3, 'v');  // "X: " + value is 16384 characters
    EXPECT_EQ(messageOf({"HTTP/1.1 20"}), "Connection Closed Gracefully.");
    EXPECT_EQ(messageOf({}), "Connection Closed Gracefully.");
    EXPECT_EQ(messageOf({"HTTP/1.1 200 OK\r\nX: " + longValue + "v\r\n\r\n"}), "Max line length exceeded.");
    EXPECT_EQ(messageOf({"HTTP/1.1 200 OK " + std::string(20000, 'x')}), "Max line length exceeded.");
    EXPECT_EQ(messageOf({"HTTP/1.1 200 OK\r\nX: " + longValue + "\r\n\r\n"}), "");
}

std::string repeated(const std::string& text, size_t times) {
    std::string all;
    for (size_t i = 0; i < times; ++i) all += text;
    return all;
}

// A head of exactly size bytes, its status line and end included.
std::string headOfSize(size_t size) {
    const std::string status = "HTTP/1.1 200 OK\r\n";
    std::string head = status;
    size_t room = size - status.size() - 2;
    while (room > 0) {
        size_t line = std::min<size_t>(room, 10000);
        head += "X: " + std::string(line - 5, 'h') + "\r\n";
        room -= line;
    }
    return head + "\r\n";
}

TEST(HttpResponseTest, HeadsAreBoundedAsAWhole) {
    const std::string interim = "HTTP/1.1 100 Continue\r\n\r\n";
    const std::string final = "HTTP/1.1 200 OK\r\n\r\n";
    const struct {
        const char* name;
        std::string wire;
        const char* message;
    } cases[] = {
        {"ThousandHeaderLines", "HTTP/1.1 200 OK\r\n" + repeated("X: 1\r\n", 1000) + "\r\n", ""},
        {"OneHeaderLineMore", "HTTP/1.1 200 OK\r\n" + repeated("X: 1\r\n", 1001) + "\r\n", "Max line length exceeded."},
        {"FoldedLinesCount", "HTTP/1.1 200 OK\r\nX: a\r\n" + repeated(" b\r\n", 1000) + "\r\n",
         "Max line length exceeded."},
        {"HeadOf300KiB", headOfSize(300 * 1024), ""},
        {"HeadOneByteLonger", headOfSize(300 * 1024 + 1), "Max line length exceeded."},
        {"TenInterimHeads", repeated(interim, 10) + final, ""},
        {"ElevenInterimHeads", repeated(interim, 11) + final, "Too many interim responses."},
        // Each head has bounds of its own.
        {"InterimHeadsOfNearlyTheBound", repeated("HTTP/1.1 100 Continue\r\n" + repeated("X: 1\r\n", 1000) + "\r\n", 3) + final,
         ""},
    };
    for (const auto& c : cases) EXPECT_EQ(messageOf({c.wire}), c.message) << c.name;
}

TEST(HttpResponseTest, FoldedLinesUpToTheBoundJoinInOrder) {
    std::string wire = "HTTP/1.1 200 OK\r\nX-Long: 0\r\n";
    std::string expected = "0";
    for (int i = 1; i < 999; ++i) {
        wire += "\t" + std::to_string(i) + " \r\n";
        expected += " " + std::to_string(i);
    }
    EXPECT_EQ(readHead({wire + " \r\n\r\n"}).header("X-Long"), expected);
}

TEST(HttpResponseTest, RedirectAndSuccessRules) {
    const struct {
        int code;
        const char* location;
        bool redirect;
        bool success;
    } cases[] = {
        {200, "", false, true}, {201, "/new", true, true},  {204, "", false, true},  {299, "", false, true},
        {300, "", true, false}, {302, "", true, false},     {304, "", false, false}, {399, "", true, false},
        {404, "", false, false}, {404, "/x", true, false}, {-1, "", false, false},
    };
    for (const auto& c : cases) {
        HttpResponse r;
        r.statusCode = c.code;
        if (*c.location) r.headers.emplace_back("Location", c.location);
        EXPECT_EQ(r.isRedirect(), c.redirect) << c.code;
        EXPECT_EQ(r.isSuccess(), c.success) << c.code;
    }
}

}  // namespace
}  // namespace trev
