// Fetching from the update server by the protocol letter, against nginx and pyftpdlib.
#include "peers/temp_folder.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "support/update_servers.h"
#include "transfer/update_source.h"

#include <gtest/gtest.h>

#include <memory>

namespace trev {
namespace {

class UpdateSourceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        servers_ = std::make_unique<test::UpdateServers>("source-server");
        for (const char* name : {"a.txt", "b.txt"}) peers::writeFile(servers_->folder().file(std::string("d/") + name), name);
    }
    static void TearDownTestSuite() { servers_.reset(); }
    void SetUp() override {
        drive_ = std::make_unique<peers::TempFolder>("source-drive");
        setDriveRoot(drive_->path());
        logMark_ = servers_->nginx().accessLog().size();
        // The account must come from the update server, not from what the client held.
        dataWeb_.FTP.Username = "someone";
        dataWeb_.FTP.Password = "else";
    }
    void TearDown() override { setDriveRoot(""); }

    UpdateSource source() {
        UpdateSource updates(dataWeb_, UpdateServer{"127.0.0.1", servers_->nginx().port(), servers_->ftpPort()},
                             [this] { return letter_; });
        updates.useFtpAccount();
        return updates;
    }
    bool requestedOverHttp(const std::string& path) const {
        return servers_->nginx().settledAccessLog().substr(logMark_).find("GET " + path) != std::string::npos;
    }
    std::string local(const std::string& name) const { return peers::readFile(drive_->file(name)); }

    TDataWeb dataWeb_;
    Protocol letter_ = Protocol::Http;
    std::unique_ptr<peers::TempFolder> drive_;
    size_t logMark_ = 0;
    static std::unique_ptr<test::UpdateServers> servers_;
};

std::unique_ptr<test::UpdateServers> UpdateSourceTest::servers_;

TEST_F(UpdateSourceTest, EachWayOfFetchingTakesTheProtocolItShould) {
    struct Case {
        Protocol letter;
        bool overHttpAlways;
        bool together;
        bool expectHttp;
    };
    const Case cases[] = {
        {Protocol::Http, false, false, true}, {Protocol::Ftp, false, false, false}, {Protocol::Ftp, false, true, false},
        {Protocol::Http, false, true, true},  {Protocol::Ftp, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.letter == Protocol::Ftp ? "F" : "H") +
                     (c.overHttpAlways ? " http" : c.together ? " together" : " one"));
        SetUp();
        letter_ = c.letter;
        UpdateSource updates = source();
        if (c.overHttpAlways)
            updates.fetchOverHttp("/d/a.txt", "C:\\a.txt");
        else if (c.together)
            updates.fetchTogether({{"/d/a.txt", "C:\\a.txt"}, {"/d/b.txt", "C:\\b.txt"}});
        else
            updates.fetch("/d/a.txt", "C:\\a.txt");
        EXPECT_EQ(local("a.txt"), "a.txt");
        if (c.together) {
            EXPECT_EQ(local("b.txt"), "b.txt");
        }
        EXPECT_EQ(requestedOverHttp("/d/a.txt"), c.expectHttp);
        EXPECT_FALSE(dataWeb_.FTP.Connected());
    }
}

// The letter is read before each fetch, so a change in the settings takes effect at once.
TEST_F(UpdateSourceTest, TheLetterIsReadBeforeEachFetch) {
    UpdateSource updates = source();
    updates.fetch("/d/a.txt", "C:\\a.txt");
    letter_ = Protocol::Ftp;
    updates.fetch("/d/b.txt", "C:\\b.txt");
    EXPECT_TRUE(requestedOverHttp("/d/a.txt"));
    EXPECT_FALSE(requestedOverHttp("/d/b.txt"));
    EXPECT_EQ(local("b.txt"), "b.txt");
}

// A catalogue or list file larger than its bound is refused before more is written, and deleted.
TEST_F(UpdateSourceTest, AListFileOverItsBoundIsRefusedAndDeleted) {
    peers::writeFile(servers_->folder().file("d/versao.cfg"), std::string(kListFileLimit + (int64_t{1} << 20), '6'));
    peers::writeFile(servers_->folder().file("d/exata.cfg"), std::string(kListFileLimit, '6'));
    for (Protocol letter : {Protocol::Http, Protocol::Ftp}) {
        SCOPED_TRACE(letter == Protocol::Ftp ? "FTP" : "HTTP");
        SetUp();
        letter_ = letter;
        UpdateSource updates = source();
        try {
            updates.fetch("/d/versao.cfg", "C:\\versao.cfg", kListFileLimit);
            ADD_FAILURE() << "no error";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "O arquivo \"C:\\versao.cfg\" passa do limite de 16 MB; o download foi interrompido.");
        }
        EXPECT_FALSE(fileExists("C:\\versao.cfg"));
        dataWeb_.FTP.Disconnect();  // a failed FTP fetch leaves its connection open
        updates.fetch("/d/exata.cfg", "C:\\exata.cfg", kListFileLimit);
        EXPECT_EQ(local("exata.cfg").size(), static_cast<size_t>(kListFileLimit));
        EXPECT_FALSE(dataWeb_.FTP.Connected());
    }
}

}  // namespace
}  // namespace trev
