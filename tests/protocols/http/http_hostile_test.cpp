// The HTTP client against servers that never stop sending: every case ends by
// itself within seconds, and the test process's memory stays far below what an
// unbounded client would take.
#include "peers/fault_server.h"
#include "peers/peak_memory.h"
#include "platform/errors.h"
#include "protocols/http/http_client.h"

#include <gtest/gtest.h>

#include <chrono>

namespace trev {
namespace {

using peers::FaultServer;
using peers::FaultStep;
using Clock = std::chrono::steady_clock;

FaultStep endless(std::string start, std::string repeated) {
    FaultStep step;
    step.reply = std::move(start);
    step.endless = std::move(repeated);
    return step;
}

struct Outcome {
    std::string message;
    int statusCode = 0;
    size_t bodySize = 0;
};

class HttpHostileTest : public testing::Test {
protected:
    // Fetches once from a server that plays script; checks time and memory on the way.
    Outcome fetch(peers::FaultScript script) {
        server.addConnection(std::move(script));
        peers::PeakMemoryGrowth memory;
        auto start = Clock::now();
        Outcome outcome;
        MemoryStream out;
        try {
            client.Get(server.url("/download/atualiza/versao/versao.cfg"), out);
            outcome.message = "(no error)";
        } catch (const HttpProtocolError& e) {
            outcome = {e.what(), e.statusCode(), e.body().size()};
        } catch (const Error& e) {
            outcome.message = e.what();
        }
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
        EXPECT_LT(memory.bytes(), peers::PeakMemoryGrowth::Bound);
        EXPECT_EQ(out.size(), 0);
        return outcome;
    }

    FaultServer server;
    HttpClient client;
};

TEST_F(HttpHostileTest, EndlessHeaderBlock) {
    EXPECT_EQ(fetch({endless("HTTP/1.1 200 OK\r\n", "X-Pad: " + std::string(200, 'p') + "\r\n")}).message,
              "Max line length exceeded.");
}

TEST_F(HttpHostileTest, EndlessShortHeaderLines) {
    EXPECT_EQ(fetch({endless("HTTP/1.1 200 OK\r\n", "X:\r\n")}).message, "Max line length exceeded.");
}

TEST_F(HttpHostileTest, EndlessCookies) {
    EXPECT_EQ(fetch({endless("HTTP/1.1 200 OK\r\n", "Set-Cookie: sessao=" + std::string(100, 'c') + "; Path=/\r\n")}).message,
              "Max line length exceeded.");
}

TEST_F(HttpHostileTest, EndlessFoldedHeader) {
    EXPECT_EQ(fetch({endless("HTTP/1.1 200 OK\r\nX-Long: a\r\n", " continued\r\n")}).message, "Max line length exceeded.");
}

TEST_F(HttpHostileTest, EndlessInterimHeads) {
    EXPECT_EQ(fetch({endless("", "HTTP/1.1 100 Continue\r\n\r\n")}).message, "Too many interim responses.");
}

TEST_F(HttpHostileTest, EndlessTrailerOfAChunkedBody) {
    EXPECT_EQ(fetch({endless("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n", "X-Trailer: t\r\n")}).message,
              "Max line length exceeded.");
}

// A refused response keeps the start of its body for the error and leaves the rest unread.
TEST_F(HttpHostileTest, ErrorBodiesThatNeverEnd) {
    const struct {
        const char* name;
        std::string head;
        std::string repeated;
        const char* message;
        int code;
    } cases[] = {
        {"NotFoundUntilClose", "HTTP/1.1 404 Not Found\r\n\r\n", "not found ", "HTTP/1.1 404 Not Found", 404},
        {"RedirectChunked", "HTTP/1.1 302 Found\r\nLocation: /x\r\nTransfer-Encoding: chunked\r\n\r\n",
         "1000\r\n" + std::string(4096, 'm') + "\r\n", "HTTP/1.1 302 Found", 302},
        {"ServerErrorWithAHugeLength", "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 9000000000000\r\n\r\n",
         "e", "HTTP/1.1 500 Internal Server Error", 500},
        {"ForbiddenInOneHugeChunk", "HTTP/1.1 403 Forbidden\r\nTransfer-Encoding: chunked\r\n\r\nfffffffffff\r\n", "f",
         "HTTP/1.1 403 Forbidden", 403},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Outcome outcome = fetch({endless(c.head, c.repeated)});
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(outcome.statusCode, c.code);
        EXPECT_EQ(outcome.bodySize, 65536u);
    }
    EXPECT_EQ(server.connectionCount(), std::size(cases));
}

// The 2 s on an error body count for the whole body, not for each wait.
TEST_F(HttpHostileTest, ErrorBodyThatTrickles) {
    FaultStep head;
    head.reply = "HTTP/1.1 404 Not Found\r\nContent-Length: 1000\r\n\r\n";
    FaultStep body;
    body.awaitText = "";
    body.reply = std::string(1000, 't');
    body.pieceSize = 1;
    body.pieceDelayMs = 50;
    auto start = Clock::now();
    EXPECT_EQ(fetch({head, body}).message, "HTTP/1.1 404 Not Found");
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(1900));
}

}  // namespace
}  // namespace trev
