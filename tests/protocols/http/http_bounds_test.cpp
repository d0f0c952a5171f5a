// The HTTP client's bounds in total and its framing rules, against the scripted
// fault server: drips that each single wait would let through, codings, interim heads.
#include "peers/fault_server.h"
#include "platform/errors.h"
#include "platform/file_stream.h"
#include "support/raised.h"
#include "transfer/data_web.h"

#include <gtest/gtest.h>

#include <chrono>

namespace trev {
namespace {

using peers::FaultServer;
using peers::FaultStep;
using Clock = std::chrono::steady_clock;

constexpr int BoundMs = 400;

// prompt at once after the request, then drip one byte every 20 ms.
peers::FaultScript dripped(const std::string& prompt, const std::string& drip) {
    FaultStep first;
    first.reply = prompt;
    FaultStep slow;
    slow.awaitText = "";
    slow.reply = drip;
    slow.pieceSize = 1;
    slow.pieceDelayMs = 20;
    return {first, slow};
}

class HttpBoundsTest : public testing::Test {
protected:
    HttpBoundsTest() {
        web.HTTP.IdleTimeoutMs = 5000;
        web.HTTP.HeadDeadlineMs = BoundMs;
        web.HTTP.BodyFloorWindowMs = BoundMs;
    }
    // The body, or the message of the error raised.
    std::string outcome(const std::string& path = "/x") {
        MemoryStream out;
        std::string error = test::raisedMessage([&] { web.HTTP.Get(server.url(path), out); });
        return error.empty() ? out.data() : error;
    }

    FaultServer server;
    TDataWeb web;
};

TEST_F(HttpBoundsTest, DripsEndWithinTheirBounds) {
    const std::string interim = "HTTP/1.1 100 Continue\r\n\r\n";
    const struct {
        const char* name;
        std::string prompt;  // sent at once
        std::string drip;    // then one byte every 20 ms
        const char* message;
    } cases[] = {
        {"Head", "", "HTTP/1.1 200 OK\r\nX-Slow: " + std::string(2000, 'h') + "\r\n\r\n", "Read Timeout"},
        {"InterimHeads", "", interim + interim + interim + interim, "Read Timeout"},
        {"Body", "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n", std::string(5000, 'b'), "Read Timeout"},
        {"BodyAfterInterimHeads", interim + interim + "HTTP/1.1 200 OK\r\n\r\n", std::string(5000, 'b'), "Read Timeout"},
        {"ChunkedBody", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1388\r\n", std::string(5000, 'c'),
         "Read Timeout"},
        // The status line has come: it tells more than a time-out of the error's body would.
        {"RefusalsBody", "HTTP/1.1 404 Not Found\r\nContent-Length: 5000\r\n\r\n", std::string(5000, 'n'),
         "HTTP/1.1 404 Not Found"},
    };
    for (const auto& c : cases) server.addConnection(dripped(c.prompt, c.drip));
    for (const auto& c : cases) {
        const auto start = Clock::now();
        EXPECT_EQ(outcome(), c.message) << c.name;
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(BoundMs + 2500)) << c.name;
    }
}

TEST_F(HttpBoundsTest, FramingByCodingsAndInterimHeads) {
    const std::string chunked = "5\r\nhello\r\n0\r\n\r\n";
    const struct {
        const char* name;
        std::string reply;
        const char* outcome;  // the body, or the error's message
    } cases[] = {
        {"ChunkedAfterAnotherCoding", "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n" + chunked,
         "Unsupported Transfer-Encoding: gzip, chunked"},
        {"CodingsInTwoFields", "HTTP/1.1 200 OK\r\nTransfer-Encoding: deflate\r\nTransfer-Encoding: chunked\r\n\r\n" + chunked,
         "Unsupported Transfer-Encoding: deflate"},
        {"ChunkedNotLast", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked, gzip\r\n\r\n" + chunked,
         "Unsupported Transfer-Encoding: chunked, gzip"},
        {"NameThatContainsChunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: xchunkedx\r\n\r\n" + chunked,
         "Unsupported Transfer-Encoding: xchunkedx"},
        {"CodingsDecideOverALength",
         "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nTransfer-Encoding: chunked\r\n\r\n" + chunked, "hello"},
        {"EarlyHints", "HTTP/1.1 103 Early Hints\r\nLink: </a.css>\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok",
         "ok"},
        {"Processing", "HTTP/1.1 102 Processing\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", "ok"},
        {"SwitchingProtocols", "HTTP/1.1 101 Switching Protocols\r\nUpgrade: h2c\r\n\r\n",
         "HTTP/1.1 101 Switching Protocols"},
    };
    // Each on a connection of its own, followed by bytes that must never be taken as a body.
    for (const auto& c : cases) {
        FaultStep step;
        step.reply = c.reply + "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nwrong";
        step.then = FaultStep::Then::Close;
        server.addConnection({step});
    }
    for (const auto& c : cases) EXPECT_EQ(outcome(), c.outcome) << c.name;
}

// With both a length and codings the next response could start anywhere: that connection is not used again.
TEST_F(HttpBoundsTest, AResponseFramedTwoWaysClosesItsConnection) {
    FaultStep both;
    both.reply = "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding: chunked\r\n\r\n1\r\na\r\n0\r\n\r\n";
    FaultStep next;
    next.reply = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nfresh";
    server.addConnection({both, next});
    server.addConnection({next});
    EXPECT_EQ(outcome("/1"), "a");
    EXPECT_EQ(outcome("/2"), "fresh");
    EXPECT_EQ(server.connectionCount(), 2u);
}

TEST_F(HttpBoundsTest, ARefusalWithoutFramingShowsItsStatusLine) {
    FaultStep step;
    step.reply = "HTTP/1.1 404 Not Found\r\n\r\nnot here";  // no length, and the server stays
    server.addConnection({step});
    const auto start = Clock::now();
    try {
        MemoryStream out;
        web.HTTP.Get(server.url("/x"), out);
        ADD_FAILURE() << "no error";
    } catch (const HttpProtocolError& e) {
        EXPECT_STREQ(e.what(), "HTTP/1.1 404 Not Found");
        EXPECT_EQ(e.statusCode(), 404);
        EXPECT_EQ(e.body(), "not here");
    }
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(4));
}

}  // namespace
}  // namespace trev
