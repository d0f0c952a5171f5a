#include "protocols/http/http_body.h"

#include "scripted_source.h"
#include "work_recorder.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

using test::ScriptedSource;

struct BodyCase {
    const char* name;
    std::deque<std::string> wire;  // head and body as the peer sends them, then it closes
    std::string body;              // what the destination holds afterwards
    const char* events;
    const char* error;             // "" when the read succeeds
};

std::string bytes(size_t n, char c = 'x') { return std::string(n, c); }

const char* kLengthHead = "HTTP/1.1 200 OK\r\nContent-Length: ";

void PrintTo(const BodyCase& c, std::ostream* os) { *os << c.name; }

class HttpBodyTest : public testing::TestWithParam<BodyCase> {};

TEST_P(HttpBodyTest, WritesTheBodyAndReportsWork) {
    const BodyCase& c = GetParam();
    ScriptedSource source(c.wire);
    LineReader reader(source);
    WorkTracker work(&reader);
    test::WorkRecorder recorder;
    recorder.attach(work.handlers);
    HttpBodyReader body(reader, work);
    MemoryStream destination;
    std::string error;
    try {
        body.readInto(readResponseHead(reader), destination);
    } catch (const Error& e) {
        error = e.what();
    }
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(destination.data(), c.body);
    EXPECT_EQ(destination.size(), destination.position());
    EXPECT_EQ(recorder.events, c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, HttpBodyTest,
    testing::Values(
        BodyCase{"LengthWithTheHead", {std::string(kLengthHead) + "10\r\n\r\n0123456789"}, "0123456789", "B10 W10 E", ""},
        BodyCase{"LengthInBlocks",
                 {std::string(kLengthHead) + "40000\r\n\r\n" + bytes(100), bytes(39900)},
                 bytes(40000), "B40000 W100 W32868 W40000 E", ""},
        // One read may bring several blocks; each is still reported on its own.
        BodyCase{"LengthInOneLargeRead",
                 {std::string(kLengthHead) + "100000\r\n\r\n", bytes(100000)},
                 bytes(100000), "B100000 W32768 W65536 W98304 W100000 E", ""},
        BodyCase{"LengthPiecesAcrossBlocks",
                 {std::string(kLengthHead) + "60000\r\n\r\n", bytes(20000), bytes(20000), bytes(20000)},
                 bytes(60000), "B60000 W32768 W60000 E", ""},
        BodyCase{"LengthNextResponseLeftAlone",
                 {std::string(kLengthHead) + "40000\r\n\r\n", bytes(40000) + "HTTP/1.1 200 OK\r\n"},
                 bytes(40000), "B40000 W32768 W40000 E", ""},
        BodyCase{"LengthExtraBytesLeftAlone", {std::string(kLengthHead) + "3\r\n\r\nabcdef"}, "abc", "B3 W3 E", ""},
        BodyCase{"ShortBodyKeepsWhatCameAndFails",
                 {std::string(kLengthHead) + "100000\r\n\r\n", bytes(40000)},
                 bytes(40000), "B100000 W32768 W40000 E", "Connection Closed Gracefully."},
        BodyCase{"ZeroLength", {std::string(kLengthHead) + "0\r\n\r\n"}, "", "", ""},
        BodyCase{"ChunkedTwoChunks",
                 {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n", "6;ext=1\r\n world\r\n0\r\n\r\n"},
                 "hello world", "B5 W5 E B6 W6 E", ""},
        BodyCase{"ChunkedInAnyCase",
                 {"HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n"},
                 "hello", "B5 W5 E", ""},
        BodyCase{"ChunkedBadSizeLine",
                 {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\nzz\r\nmore\r\n0\r\n\r\n"},
                 "hello", "B5 W5 E", "Invalid chunk size line."},
        BodyCase{"ChunkedCloseInsideChunk",
                 {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\na\r\nhel"},
                 "hel", "B10 W3 E", "Connection Closed Gracefully."},
        BodyCase{"ChunkedCloseBeforeLastChunk",
                 {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n"},
                 "hello", "B5 W5 E", "Connection Closed Gracefully."},
        BodyCase{"ChunkedCloseAfterLastChunk",
                 {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n"},
                 "hello", "B5 W5 E", ""},
        BodyCase{"UntilCloseLastFragmentUnreported",
                 {"HTTP/1.0 200 OK\r\n\r\n" + bytes(10), bytes(32768), bytes(5000)},
                 bytes(37778), "B0 W10 W32778 E", ""},
        BodyCase{"UntilCloseInOneLargeRead",
                 {"HTTP/1.0 200 OK\r\n\r\n", bytes(70000)},
                 bytes(70000), "B0 W32768 W65536 E", ""},
        BodyCase{"UntilCloseEmpty", {"HTTP/1.0 200 OK\r\n\r\n"}, "", "B0 E", ""},
        // A length that does not parse leaves the end of the body unknown: nothing is taken as whole.
        BodyCase{"LengthTooLargeForAnOffset", {std::string(kLengthHead) + "99999999999999999999\r\n\r\nabc"}, "", "",
                 "Invalid Content-Length header."},
        BodyCase{"LengthNegative", {std::string(kLengthHead) + "-5\r\n\r\nabc"}, "", "", "Invalid Content-Length header."},
        BodyCase{"LengthWithASign", {std::string(kLengthHead) + "+3\r\n\r\nabc"}, "", "", "Invalid Content-Length header."},
        BodyCase{"LengthsThatDiffer",
                 {"HTTP/1.1 200 OK\r\nContent-Length: 3\r\nContent-Length: 4\r\n\r\nabcd"}, "", "",
                 "Invalid Content-Length header."},
        BodyCase{"LengthListThatDiffers", {std::string(kLengthHead) + "3, 4\r\n\r\nabcd"}, "", "",
                 "Invalid Content-Length header."},
        BodyCase{"LengthsThatAgree",
                 {"HTTP/1.1 200 OK\r\nContent-Length: 3\r\ncontent-length: 3, 3\r\n\r\nabc"}, "abc", "B3 W3 E", ""}),
    [](const auto& info) { return info.param.name; });

// Whether the body was read to its end says whether the connection can carry another response.
TEST(HttpBodyErrorTextTest, KeepsWhatArrivesUpTo64KiBWithoutFailing) {
    const std::string big = bytes(70000, 'e');
    const std::string kept = bytes(65536, 'e');
    const struct {
        const char* name;
        std::deque<std::string> wire;
        std::string text;
        bool toEnd;
    } cases[] = {
        {"ShortLength", {"HTTP/1.1 404 Not Found\r\nContent-Length: 20\r\n\r\nnot here"}, "not here", true},
        {"ShortChunk", {"HTTP/1.1 404 Not Found\r\nTransfer-Encoding: chunked\r\n\r\n8\r\nnot"}, "not", true},
        {"ZeroLength", {"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"}, "", true},
        {"Whole64KiB", {"HTTP/1.1 404 Not Found\r\nContent-Length: 65536\r\n\r\n", kept, "next"}, kept, true},
        {"LongLength", {"HTTP/1.1 404 Not Found\r\nContent-Length: 70000\r\n\r\n", big}, kept, false},
        {"LongUntilClose", {"HTTP/1.0 404 Not Found\r\n\r\n" + big}, kept, false},
        {"LongChunk", {"HTTP/1.1 404 Not Found\r\nTransfer-Encoding: chunked\r\n\r\n11170\r\n" + big}, kept, false},
        {"LongInManyChunks",
         {"HTTP/1.1 404 Not Found\r\nTransfer-Encoding: chunked\r\n\r\n", "8000\r\n" + bytes(32768, 'e') + "\r\n",
          "8000\r\n" + bytes(32768, 'e') + "\r\n", "1\r\ne\r\n0\r\n\r\n"},
         kept, false},
        {"InvalidLength", {"HTTP/1.1 404 Not Found\r\nContent-Length: -1\r\n\r\nabc"}, "", false},
        {"BadChunkSize", {"HTTP/1.1 404 Not Found\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nnot\r\nzz\r\n"}, "not",
         false},
    };
    for (const auto& c : cases) {
        ScriptedSource source(c.wire);
        LineReader reader(source);
        WorkTracker work(&reader);
        HttpBodyReader body(reader, work);
        EXPECT_EQ(body.readErrorText(readResponseHead(reader)), c.text) << c.name;
        EXPECT_EQ(body.readToEnd(), c.toEnd) << c.name;
    }
}

// The status says what went wrong: a body that stops coming keeps what came and raises nothing.
TEST(HttpBodyErrorTextTest, SilentServerEndsTheTextWhereItStopped) {
    ScriptedSource source({"HTTP/1.1 404 Not Found\r\nContent-Length: 20\r\n\r\nnot"}, true);
    LineReader reader(source);
    WorkTracker work(&reader);
    HttpBodyReader body(reader, work);
    HttpResponse head = readResponseHead(reader);
    EXPECT_EQ(body.readErrorText(head), "not");
    EXPECT_FALSE(body.readToEnd());
}

}  // namespace
}  // namespace trev
