#include "protocols/ftp/ftp_reply.h"

#include <gtest/gtest.h>

#include <cstring>

namespace trev {
namespace {

// Hands out the given bytes, a few at a time, then reports the close.
class CannedSource : public ByteSource {
public:
    explicit CannedSource(std::string bytes) : bytes_(std::move(bytes)) {}
    long receive(char* buffer, size_t size, int) override {
        size_t n = std::min({size, bytes_.size() - offset_, size_t{5}});
        std::memcpy(buffer, bytes_.data() + offset_, n);
        offset_ += n;
        return static_cast<long>(n);
    }

private:
    std::string bytes_;
    size_t offset_ = 0;
};

struct ReplyCase {
    const char* name;
    std::string wire;
    int code;
    std::string codeText;
    std::vector<std::string> text;
    std::string next;  // the line left for the next read
};

class FtpReplyRead : public testing::TestWithParam<ReplyCase> {};

TEST_P(FtpReplyRead, ReadsOneWholeReply) {
    const ReplyCase& c = GetParam();
    CannedSource source(c.wire + "999 next\r\n");
    LineReader reader(source);
    FtpReply reply = readFtpReply(reader);
    EXPECT_EQ(reply.code, c.code);
    EXPECT_EQ(reply.codeText, c.codeText);
    EXPECT_EQ(reply.text, c.text);
    EXPECT_EQ(reader.readLine(), c.next);
}

INSTANTIATE_TEST_SUITE_P(
    Wire, FtpReplyRead,
    testing::Values(
        ReplyCase{"single", "220 Ready\r\n", 220, "220", {"Ready"}, "999 next"},
        ReplyCase{"bare_lf", "200 OK\n", 200, "200", {"OK"}, "999 next"},
        ReplyCase{"blank_lines_first", "\r\n  \r\n\t\r\n331 Password\r\n", 331, "331", {"Password"}, "999 next"},
        ReplyCase{"multi_line", "220-Welcome\r\n220-Second\r\n220 Ready\r\n", 220, "220", {"Welcome", "Second", "Ready"}, "999 next"},
        ReplyCase{"multi_line_inner_lines_lose_four_characters", "211-Features\r\n MDTM\r\n SIZE\r\n211 End\r\n", 211, "211",
                  {"Features", "M", "E", "End"}, "999 next"},
        ReplyCase{"multi_line_blank_inside", "220-A\r\n\r\n220 B\r\n", 220, "220", {"A", "B"}, "999 next"},
        ReplyCase{"multi_line_ended_by_short_line", "220-A\r\nxy\r\n220 never\r\n", 220, "220", {"A", ""}, "220 never"},
        ReplyCase{"code_only", "500\r\n", 500, "500", {""}, "999 next"},
        ReplyCase{"code_not_a_number", "ABC text\r\n", 0, "ABC", {"text"}, "999 next"},
        ReplyCase{"short_garbage", "x\r\n", 0, "x", {""}, "999 next"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FtpReply, ErrorMessageIsTheTextLinesEachWithCrLfAndCarriesTheCode) {
    CannedSource source("550-No such file\r\n550 or folder\r\n");
    LineReader reader(source);
    FtpReply reply = readFtpReply(reader);
    try {
        expectReply(reply, {125, 150, 154});
        FAIL() << "550 accepted";
    } catch (const FtpReplyError& e) {
        EXPECT_STREQ(e.what(), "No such file\r\nor folder\r\n");
        EXPECT_EQ(e.replyCode(), 550);
    }
    EXPECT_EQ(expectReply(reply, {550}).code, 550);
}

TEST(FtpReply, ControlBytesOfTheServerAreShownEscaped) {
    CannedSource source(std::string("550 No") + '\0' + "such\x1b[2J file\r\n");
    LineReader reader(source);
    EXPECT_STREQ(ftpReplyError(readFtpReply(reader)).what(), "No\\x00such\\x1B[2J file\r\n");
}

std::string repeated(const std::string& text, size_t times) {
    std::string all;
    for (size_t i = 0; i < times; ++i) all += text;
    return all;
}

// The blank lines before a reply count toward its bounds: 1,000 lines, 64 KiB.
TEST(FtpReply, RepliesAreBoundedAsAWhole) {
    const std::string line1000 = "220-" + std::string(994, 'w') + "\r\n";  // 1,000 bytes on the wire
    const struct {
        const char* name;
        std::string wire;
        bool accepted;
    } cases[] = {
        {"ThousandLines", "220-A\r\n" + repeated("220-\r\n", 998) + "220 End\r\n", true},
        {"ThousandAndOneLines", "220-A\r\n" + repeated("220-\r\n", 999) + "220 End\r\n", false},
        {"BlankLinesCount", repeated("\r\n", 999) + "220 End\r\n", true},
        {"OneBlankLineMore", repeated("\r\n", 1000) + "220 End\r\n", false},
        {"ExactlySixtyFourKiB", "220-\r\n" + repeated(line1000, 65) + "220 " + std::string(524, 'e') + "\r\n", true},
        {"OneByteMore", "220-\r\n" + repeated(line1000, 65) + "220 " + std::string(525, 'e') + "\r\n", false},
    };
    for (const auto& c : cases) {
        CannedSource source(c.wire);
        LineReader reader(source);
        try {
            readFtpReply(reader);
            EXPECT_TRUE(c.accepted) << c.name;
        } catch (const Error& e) {
            EXPECT_FALSE(c.accepted) << c.name;
            EXPECT_STREQ(e.what(), "Max line length exceeded.") << c.name;
        }
    }
}

TEST(FtpReply, PeerClosingBeforeAReplyRaisesConnectionClosedGracefully) {
    CannedSource source("\r\n");
    LineReader reader(source);
    try {
        readFtpReply(reader);
        FAIL();
    } catch (const SocketError& e) {
        EXPECT_STREQ(e.what(), "Connection Closed Gracefully.");
    }
}

}  // namespace
}  // namespace trev
