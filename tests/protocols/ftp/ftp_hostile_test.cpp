// The FTP client against a server whose replies never end: each case ends by
// itself within seconds, and the test process's memory stays far below what an
// unbounded client would take.
#include "peers/ftp_fault_server.h"
#include "peers/peak_memory.h"
#include "ftp_test_support.h"

#include <gtest/gtest.h>

#include <chrono>

namespace trev {
namespace {

using peers::FtpFaultServer;
using Clock = std::chrono::steady_clock;

struct EndlessCase {
    const char* name;
    std::string greeting;
    std::string repeated;
};

class FtpHostileTest : public testing::TestWithParam<EndlessCase> {};

TEST_P(FtpHostileTest, AnEndlessReplyEndsTheConnect) {
    FtpFaultServer server;
    FtpFaultServer::Script script;
    script.greeting = GetParam().greeting;
    script.endlessAfterGreeting = GetParam().repeated;
    server.setScript(script);
    FtpClient ftp;
    ftptest::pointAt(ftp, server.port());
    peers::PeakMemoryGrowth memory;
    auto start = Clock::now();
    EXPECT_EQ(ftptest::failureOf<Error>([&] { ftp.Connect(); }).message, "Max line length exceeded.");
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    EXPECT_LT(memory.bytes(), peers::PeakMemoryGrowth::Bound);
    EXPECT_FALSE(ftp.Connected());
}

INSTANTIATE_TEST_SUITE_P(
    Server, FtpHostileTest,
    testing::Values(EndlessCase{"MultiLineGreeting", "220-Welcome\r\n", "220-and more " + std::string(100, 'w') + "\r\n"},
                    EndlessCase{"BareContinuationLines", "220-Welcome\r\n", "220-\r\n"},
                    EndlessCase{"BlankLinesInsideAMultiLineReply", "220-Welcome\r\n", "\r\n"},
                    EndlessCase{"BlankLinesBeforeTheGreeting", "", "\r\n"},
                    EndlessCase{"BlankLinesOfSpaces", "", "    \r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trev
