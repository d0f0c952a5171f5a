// The FTP client against pyftpdlib in active mode on loopback.
#include "peers/ftp_server.h"
#include "peers/temp_folder.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "protocols/ftp/ftp_client.h"
#include "ftp_test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace trev {
namespace {

using ftptest::Failure;
using ftptest::failureOf;
using peers::FtpServerPeer;

std::string readNative(const std::string& path) { return peers::readFile(path); }
void writeNative(const std::string& path, const std::string& bytes) { peers::writeFile(path, bytes); }

std::string randomBytes(size_t size) {
    std::mt19937 generator(7);
    std::string bytes(size, '\0');
    for (auto& b : bytes) b = static_cast<char>(generator());
    return bytes;
}

class FtpClientServer : public testing::Test {
protected:
    static void SetUpTestSuite() {
        base_ = new peers::TempFolder("ftp-server");
        files_ = new std::map<std::string, std::string>{
            {"/empty.bin", ""},
            {"/download/atualiza/versao/versao.cfg", "0100\r\n0101\r\n"},
            {"/download/atualiza/big.bin", randomBytes(5 * 1024 * 1024 + 12345)},
            {"/with space/crlf.txt", "line\r\nline\n\x1a\xff\r"},
        };
        for (const auto& [remote, bytes] : *files_) writeNative(base_->file("server" + remote), bytes);
        server_ = new FtpServerPeer(base_->file("server"));
    }
    static void TearDownTestSuite() {
        delete server_;
        delete base_;
        delete files_;
    }

    void SetUp() override {
        setDriveRoot(base_->file("drive_c"));
        forceDirectories("C:\\Velor\\TREVALMONTE\\TEMP");
        ftptest::pointAt(ftp_, server_->port());
    }
    void TearDown() override { ftp_.Disconnect(); }

    static std::string local(const std::string& windowsPath) { return nativePath(windowsPath); }

    static peers::TempFolder* base_;
    static std::map<std::string, std::string>* files_;
    static FtpServerPeer* server_;
    FtpClient ftp_;
};

peers::TempFolder* FtpClientServer::base_ = nullptr;
std::map<std::string, std::string>* FtpClientServer::files_ = nullptr;
FtpServerPeer* FtpClientServer::server_ = nullptr;

TEST_F(FtpClientServer, RetrievesEveryFileByteExactOverOneLogin) {
    writeNative(local("C:\\Velor\\TREVALMONTE\\TEMP\\f0"), std::string(100000, 'o'));  // replaced, never appended to
    ftp_.Connect();
    int i = 0;
    for (const auto& [remote, bytes] : *files_) {
        SCOPED_TRACE(remote);
        std::string target = "C:\\Velor\\TREVALMONTE\\TEMP\\f" + std::to_string(i++);
        ftp_.Get(remote, target);
        const std::string got = readNative(local(target));
        EXPECT_TRUE(got == bytes) << "size " << got.size() << " of " << bytes.size();
    }
    EXPECT_TRUE(ftp_.Connected());
}

TEST_F(FtpClientServer, ProgressReportsWholeBlocksOfTheLargeFile) {
    int64_t last = -1;
    int begins = 0, ends = 0;
    ftp_.work().OnWorkBegin = [&](void*, WorkMode mode, int64_t total) {
        EXPECT_EQ(mode, WorkMode::Read);
        EXPECT_EQ(total, 0);
        ++begins;
    };
    ftp_.work().OnWork = [&](void*, WorkMode, int64_t count) {
        EXPECT_GT(count, last);
        EXPECT_EQ(count % 32768, 0);
        last = count;
    };
    ftp_.work().OnWorkEnd = [&](void*, WorkMode) { ++ends; };
    ftp_.Connect();
    ftp_.Get("/download/atualiza/big.bin", "C:\\Velor\\TREVALMONTE\\TEMP\\big.bin");
    const int64_t size = static_cast<int64_t>(files_->at("/download/atualiza/big.bin").size());
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(last, size - size % 32768);
}

TEST_F(FtpClientServer, MissingFileFailsWithTheServersTextAndTheConnectionRecovers) {
    const std::string target = "C:\\Velor\\TREVALMONTE\\TEMP\\missing.cfg";
    writeNative(local(target), "stale");
    ftp_.Connect();
    Failure f = failureOf<FtpReplyError>([&] { ftp_.Get("/download/atualiza/nothing.cfg", target); });
    EXPECT_EQ(f.code, 550);
    EXPECT_EQ(f.message, "No such file or directory.\r\n");
    EXPECT_TRUE(fileExists(target));
    EXPECT_EQ(readNative(local(target)), "");
    EXPECT_TRUE(ftp_.Connected());

    EXPECT_EQ(failureOf<FtpReplyError>([&] { ftp_.Connect(); }).message, "Already connected.");
    EXPECT_FALSE(ftp_.Connected());
    ftp_.Connect();
    ftp_.Get("/download/atualiza/versao/versao.cfg", target);
    EXPECT_EQ(readNative(local(target)), "0100\r\n0101\r\n");
}

TEST_F(FtpClientServer, WrongPasswordIsRefusedAndClosesTheConnection) {
    ftp_.Password = "wrong";
    Failure f = failureOf<FtpReplyError>([&] { ftp_.Connect(); });
    EXPECT_EQ(f.code, 530);
    EXPECT_EQ(f.message, "Authentication failed.\r\n");
    EXPECT_FALSE(ftp_.Connected());
    ftp_.Password = "harbloom";
    ftp_.Connect();
    EXPECT_TRUE(ftp_.Connected());
}

}  // namespace
}  // namespace trev
