#include "protocols/line_reader.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace trev {
namespace {

// Answers each receive from a list: bytes, "" for a close, or nothing (-1) once the list is empty.
class RecordingSource : public ByteSource {
public:
    explicit RecordingSource(std::deque<std::string> answers) : answers_(std::move(answers)) {}
    long receive(char* buffer, size_t size, int timeoutMs) override {
        waits.push_back(timeoutMs);
        if (answers_.empty()) return -1;
        std::string piece = answers_.front();
        answers_.pop_front();
        piece.copy(buffer, size);
        return static_cast<long>(std::min(size, piece.size()));
    }
    std::vector<int> waits;

private:
    std::deque<std::string> answers_;
};

// Before a request on a kept-alive connection: a look without any wait.
TEST(LineReaderTest, IdleStateLooksWithoutWaiting) {
    const struct {
        const char* name;
        std::deque<std::string> answers;
        LineReader::Idle state;
    } cases[] = {
        {"NothingArrived", {}, LineReader::Idle::Quiet},
        {"ClosedWhileIdle", {""}, LineReader::Idle::Closed},
        {"BytesNobodyAskedFor", {"HTTP/1.1 200 OK\r\n"}, LineReader::Idle::Input},
    };
    for (const auto& c : cases) {
        RecordingSource source(c.answers);
        LineReader reader(source);
        reader.readTimeoutMs = 60000;
        EXPECT_EQ(reader.idleState(), c.state) << c.name;
        EXPECT_EQ(source.waits, std::vector<int>{0}) << c.name;
    }
}

TEST(LineReaderTest, ADeadlineBoundsAllWaitsTogether) {
    RecordingSource source({"a", "b"});
    LineReader reader(source);
    reader.readTimeoutMs = 60000;
    reader.setDeadline(LineReader::Clock::now() + std::chrono::seconds(10));
    char out[3];
    EXPECT_EQ(reader.readSome(out, 3), 1u);
    EXPECT_EQ(reader.readSome(out, 3), 1u);
    EXPECT_THROW(reader.readSome(out, 3), SocketError);
    ASSERT_EQ(source.waits.size(), 3u);
    for (int wait : source.waits) EXPECT_LE(wait, 10000);
    reader.setDeadline(LineReader::Clock::now() - std::chrono::seconds(1));
    EXPECT_THROW(reader.readLine(), SocketError);
    EXPECT_EQ(source.waits.back(), 0);
    reader.clearDeadline();
    EXPECT_THROW(reader.readLine(), SocketError);
    EXPECT_EQ(source.waits.back(), 60000);
}

TEST(LineReaderTest, BoundedLinesCountLinesAndBytesOfTheUnit) {
    RecordingSource source({"one\r\ntwo\nthree\r\nfour\r\n"});
    LineReader reader(source);
    reader.readLine();
    BoundedLines lines(reader, 2, 100);
    EXPECT_EQ(lines.readLine(), "two");
    EXPECT_EQ(lines.readLine(), "three");
    EXPECT_THROW(lines.readLine(), Error);
    EXPECT_EQ(reader.consumed(), 22u);
    RecordingSource more({"12345\n"});
    LineReader other(more);
    BoundedLines tight(other, 10, 5);
    EXPECT_THROW(tight.readLine(), Error);  // six bytes with its LF
}

}  // namespace
}  // namespace trev
