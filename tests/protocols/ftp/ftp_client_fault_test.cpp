// The FTP client against the scripted fault server: exact command transcripts and
// the exchanges a real server does not produce.
#include "peers/child_process.h"
#include "peers/ftp_fault_server.h"
#include "peers/temp_folder.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "protocols/ftp/ftp_client.h"
#include "ftp_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>

namespace trev {
namespace {

using ftptest::Failure;
using ftptest::failureOf;
using peers::FtpFaultServer;

const std::string LocalFile = "C:\\Velor\\TREVALMONTE\\TEMP\\got.bin";

std::string contents(const std::string& windowsPath) { return peers::readFile(nativePath(windowsPath)); }

class FtpClientFaults : public testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new FtpFaultServer(); }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override {
        setDriveRoot(root_.path());
        forceDirectories("C:\\Velor\\TREVALMONTE\\TEMP");
        ftptest::pointAt(ftp_, server_->port());
    }
    void TearDown() override { ftp_.Disconnect(); }

    static FtpFaultServer::Script script() { return {}; }

    // The commands received, with the PORT argument normalised.
    static std::vector<std::string> transcript() {
        std::vector<std::string> lines = server_->commands();
        for (auto& line : lines) line = std::regex_replace(line, std::regex("^PORT 127,0,0,1,\\d+,\\d+$"), "PORT 127,0,0,1,<port>");
        return lines;
    }

    static FtpFaultServer* server_;
    peers::TempFolder root_{"ftp-faults"};
    FtpClient ftp_;
};

FtpFaultServer* FtpClientFaults::server_ = nullptr;

TEST_F(FtpClientFaults, LoginTranscriptAndAMultiLineGreeting) {
    auto s = script();
    s.greeting = "220-Welcome\r\n220-to the fault server\r\n220 Ready\r\n";
    server_->setScript(s);
    ftp_.Connect();
    EXPECT_TRUE(ftp_.Connected());
    EXPECT_EQ(ftp_.Greeting().code, 220);
    EXPECT_EQ(ftp_.Greeting().text, (std::vector<std::string>{"Welcome", "to the fault server", "Ready"}));
    EXPECT_EQ(ftp_.SystemDescription(), "UNIX Type: L8");
    EXPECT_EQ(transcript(), (std::vector<std::string>{"USER trevalmonte", "PASS harbloom", "TYPE I", "SYST"}));
}

TEST_F(FtpClientFaults, UserAnswered230SendsNoPasswordAndSyst500IsUnknown) {
    auto s = script();
    s.replies["USER"] = "230 No password needed\r\n";
    s.replies["SYST"] = "500 SYST not understood\r\n";
    server_->setScript(s);
    ftp_.Connect();
    EXPECT_EQ(ftp_.SystemDescription(), "Unknown");
    EXPECT_EQ(transcript(), (std::vector<std::string>{"USER trevalmonte", "TYPE I", "SYST"}));
}

TEST_F(FtpClientFaults, RefusedLoginStepsCloseTheControlConnection) {
    struct Case {
        const char* verb;
        std::string reply;
        int code;
        std::string message;
    };
    for (const Case& c : {Case{"USER", "530 Not allowed\r\n", 530, "Not allowed\r\n"},
                          Case{"PASS", "530-Login incorrect.\r\n530 Bye\r\n", 530, "Login incorrect.\r\nBye\r\n"},
                          Case{"TYPE", "504 No binary\r\n", 504, "No binary\r\n"},
                          Case{"SYST", "421 Going away\r\n", 421, "Going away\r\n"}}) {
        SCOPED_TRACE(c.verb);
        auto s = script();
        s.replies[c.verb] = c.reply;
        server_->setScript(s);
        Failure f = failureOf<FtpReplyError>([&] { ftp_.Connect(); });
        EXPECT_EQ(f.message, c.message);
        EXPECT_EQ(f.code, c.code);
        EXPECT_FALSE(ftp_.Connected());
    }
}

TEST_F(FtpClientFaults, GreetingLineOverTheLimitFails) {
    auto s = script();
    s.greeting = "220 " + std::string(16384, 'x') + "\r\n";
    server_->setScript(s);
    EXPECT_EQ(failureOf<Error>([&] { ftp_.Connect(); }).message, "Max line length exceeded.");
    EXPECT_FALSE(ftp_.Connected());
}

TEST_F(FtpClientFaults, RetrievalTranscriptAndWorkEventsFromTheDataConnection) {
    auto s = script();
    s.dataBytes = std::string(70000, 'd');
    server_->setScript(s);
    std::vector<std::string> events;
    void* sender = nullptr;
    ftp_.work().OnWorkBegin = [&](void* who, WorkMode, int64_t n) { sender = who; events.push_back("begin " + std::to_string(n)); };
    ftp_.work().OnWork = [&](void*, WorkMode, int64_t n) { events.push_back("work " + std::to_string(n)); };
    ftp_.work().OnWorkEnd = [&](void*, WorkMode) { events.push_back("end"); };
    ftp_.Connect();
    ftp_.Get("/download/atualiza/versao/versao.cfg", LocalFile);
    EXPECT_EQ(contents(LocalFile), s.dataBytes);
    EXPECT_EQ(transcript(), (std::vector<std::string>{"USER trevalmonte", "PASS harbloom", "TYPE I", "SYST", "PORT 127,0,0,1,<port>",
                                                      "RETR /download/atualiza/versao/versao.cfg"}));
    // Two full blocks reported; the last short block arrives after the close and is not.
    EXPECT_EQ(events, (std::vector<std::string>{"begin 0", "work 32768", "work 65536", "end"}));
    EXPECT_NE(sender, nullptr);
    EXPECT_NE(sender, &ftp_);
}

// Also when the server leaves the data connection open after breaking off: the reply
// ends the read then, not the idle limit.
TEST_F(FtpClientFaults, BrokenOffTransferRaisesAndKeepsWhatArrived) {
    struct Case {
        std::string completion;
        FtpFaultServer::Data data;
        int code;
    };
    ftp_.IdleTimeoutMs = 20000;
    for (const Case& c : {Case{"426 Connection closed; transfer aborted.\r\n226 Abort done\r\n", FtpFaultServer::Data::Send, 426},
                          Case{"450 Busy\r\n", FtpFaultServer::Data::Send, 450},
                          Case{"426 Connection closed; transfer aborted.\r\n", FtpFaultServer::Data::AbortOpen, 426}}) {
        SCOPED_TRACE(c.completion);
        auto s = script();
        s.dataBytes = "partial";
        s.completion = c.completion;
        s.data = c.data;
        server_->setScript(s);
        ftp_.Connect();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(failureOf<FtpReplyError>([&] { ftp_.Get("/f", LocalFile); }).code, c.code);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "read on until the server let go";
        EXPECT_EQ(contents(LocalFile), "partial");
        ftp_.Disconnect();
    }
}

TEST_F(FtpClientFaults, FailedRetrievalLeavesTheConnectionOpenUntilTheNextConnectFails) {
    auto s = script();
    s.replies["RETR"] = "550 /missing: No such file or directory.\r\n";
    server_->setScript(s);
    peers::writeFile(nativePath(LocalFile), "old contents");
    ftp_.Connect();
    Failure f = failureOf<FtpReplyError>([&] { ftp_.Get("/missing", LocalFile); });
    EXPECT_EQ(f.message, "/missing: No such file or directory.\r\n");
    EXPECT_EQ(f.code, 550);
    EXPECT_TRUE(fileExists(LocalFile));
    EXPECT_EQ(contents(LocalFile), "");
    EXPECT_TRUE(ftp_.Connected());
    EXPECT_EQ(failureOf<FtpReplyError>([&] { ftp_.Connect(); }).message, "Already connected.");
    EXPECT_FALSE(ftp_.Connected());
    server_->setScript(script());
    ftp_.Connect();
    EXPECT_TRUE(ftp_.Connected());
}

TEST_F(FtpClientFaults, ServerThatNeverConnectsBackIsBounded) {
    auto s = script();
    s.data = FtpFaultServer::Data::Never;
    server_->setScript(s);
    ftp_.DataConnectionTimeoutMs = 300;
    ftp_.Connect();
    Failure f = failureOf<SocketError>([&] { ftp_.Get("/f", LocalFile); });
    EXPECT_EQ(f.code, 10060);
    EXPECT_NE(f.message.find("data connection"), std::string::npos) << f.message;
    EXPECT_EQ(contents(LocalFile), "");
}

TEST_F(FtpClientFaults, SilentServerAndStalledDataAreBounded) {
    ftp_.IdleTimeoutMs = 1000;
    auto s = script();
    s.replies["RETR"] = "";  // never answers
    server_->setScript(s);
    ftp_.Connect();
    EXPECT_EQ(failureOf<SocketError>([&] { ftp_.Get("/f", LocalFile); }).message, "Read Timeout");
    ftp_.Disconnect();

    s = script();
    s.data = FtpFaultServer::Data::Stall;
    s.dataBytes = "first bytes";
    server_->setScript(s);
    ftp_.Connect();
    EXPECT_EQ(failureOf<SocketError>([&] { ftp_.Get("/f", LocalFile); }).message, "Read Timeout");
    EXPECT_EQ(contents(LocalFile), "first bytes");
}

// Each drip sends a byte well within every single wait, so only the bound in total ends it.
TEST_F(FtpClientFaults, DripsEndWithinTheirBounds) {
    constexpr int BoundMs = 400;
    ftp_.IdleTimeoutMs = 5000;
    ftp_.ReplyDeadlineMs = BoundMs;
    ftp_.DataFloorWindowMs = BoundMs;
    const struct {
        const char* name;
        std::string greeting;
        std::string data;
    } cases[] = {
        {"Greeting", "220 " + std::string(2000, 'w') + "\r\n", ""},
        {"Data", "", std::string(2000, 'd')},
    };
    for (const auto& c : cases) {
        auto s = script();
        if (!c.greeting.empty()) s.greeting = c.greeting, s.greetingDripMs = 20;
        s.dataBytes = c.data;
        s.dataDripMs = 20;
        server_->setScript(s);
        const auto start = std::chrono::steady_clock::now();
        Failure f = failureOf<SocketError>([&] {
            ftp_.Connect();
            ftp_.Get("/f", LocalFile);
        });
        ftp_.Disconnect();
        EXPECT_EQ(f.message, "Read Timeout") << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(BoundMs + 2000)) << c.name;
    }
}

TEST_F(FtpClientFaults, RefusalWhileTheDataConnectionIsAwaitedEndsTheWait) {
    auto s = script();
    s.data = FtpFaultServer::Data::ReplyInstead;
    s.completion = "550 Arquivo indisponivel\r\n";
    server_->setScript(s);
    ftp_.DataConnectionTimeoutMs = 20000;
    ftp_.Connect();
    const auto start = std::chrono::steady_clock::now();
    Failure f = failureOf<FtpReplyError>([&] { ftp_.Get("/f", LocalFile); });
    EXPECT_EQ(f.code, 550);
    EXPECT_EQ(f.message, "Arquivo indisponivel\r\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(FtpClientFaults, DataConnectionFromAnotherHostIsClosedUnread) {
    auto s = script();
    s.data = FtpFaultServer::Data::ForeignThenSend;
    s.dataBytes = "genuine update";
    server_->setScript(s);
    ftp_.Connect();
    ftp_.Get("/f", LocalFile);
    EXPECT_EQ(contents(LocalFile), "genuine update");
    EXPECT_TRUE(server_->foreignConnectionClosed());
    ftp_.Disconnect();

    s.data = FtpFaultServer::Data::ForeignOnly;
    server_->setScript(s);
    ftp_.DataConnectionTimeoutMs = 500;
    ftp_.Connect();
    EXPECT_THROW(ftp_.Get("/f", LocalFile), SocketError);
    EXPECT_EQ(contents(LocalFile), "");
}

TEST_F(FtpClientFaults, GetWithoutAConnectionFailsAfterCreatingTheFile) {
    Failure f = failureOf<SocketError>([&] { ftp_.Get("/f", LocalFile); });
    EXPECT_EQ(f.code, 10057);
    EXPECT_TRUE(fileExists(LocalFile));
}

TEST_F(FtpClientFaults, RefusedConnectionIsASocketError) {
    FtpClient other;
    other.Host = "127.0.0.1";
    other.Port = peers::freeLoopbackPort();
    Failure f = failureOf<SocketError>([&] { other.Connect(); });
    EXPECT_EQ(f.code, 10061);
    EXPECT_EQ(f.message, "Socket Error # 10061\r\nConnection refused.");
}

}  // namespace
}  // namespace trev
