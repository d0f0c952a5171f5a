// The web update screen's version check over FTP against pyftpdlib; the HTTP port
// leads nowhere, so any fetch over HTTP would fail.
#include "app/frm_pai.h"
#include "settings/frm_config.h"
#include "support/qt_application.h"
#include "support/update_servers.h"
#include "support/web_test_support.h"
#include "transfer/data_web.h"
#include "update/frm_atualiza_web.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace trev {
namespace {

using webtest::utf8;

class FtpWebUpdate : public testing::Test {
protected:
    static void SetUpTestSuite() {
        test::ensureApplication();
        servers_ = std::make_unique<test::UpdateServers>("ftp-web-server", test::UpdateServers::Serve::FtpOnly);
        dataWeb_ = std::make_unique<webtest::GlobalDataWeb>();
    }
    static void TearDownTestSuite() {
        dataWeb_.reset();
        servers_.reset();
    }

    void SetUp() override {
        servers_->tree().clear();
        DataWeb->FTP.Disconnect();
        webtest::setStandaloneSource(Protocol::Ftp, server());
        tree_.write("TXT/trev_versao.txt", "6.0.0.1\r\n");
        serve("adicionais/descricao.cfg", "relat.exe" + std::string(21, ' ') + "Relatorio\r\n");
        servers_->tree().publishVersionList({"6001", "6002", "6003"});
        publish("6002", "d2", "Primeira");
        publish("6003", "d3", "Segunda");
    }

    static UpdateServer server() { return UpdateServer{"127.0.0.1", 1, servers_->ftpPort()}; }
    static void serve(const std::string& relative, const std::string& bytes) { servers_->tree().write(relative, bytes); }
    static void publish(const std::string& id, const std::string& date, const std::string& description) {
        servers_->tree().publishVersion({id, test::dottedVersion(id), date, description, {}});
    }

    // A new screen whose own timer runs the check; true once it has ended.
    std::unique_ptr<TFrmAtualizaWeb> check() {
        auto screen = std::make_unique<TFrmAtualizaWeb>(nullptr, webtest::standaloneHost());
        screen->show();
        EXPECT_TRUE(webtest::waitFor([&] { return !screen->Timer1->isActive(); }));
        return screen;
    }
    static std::vector<std::string> captions(TFrmAtualizaWeb& screen) {
        std::vector<std::string> result;
        for (int i = 0; i < screen.ListVersao->topLevelItemCount(); ++i) result.push_back(utf8(screen.ListVersao->topLevelItem(i)->text(0)));
        return result;
    }

    static std::unique_ptr<test::UpdateServers> servers_;
    static std::unique_ptr<webtest::GlobalDataWeb> dataWeb_;
    webtest::InstallTree tree_;
    webtest::CapturedMessages messages_;
};

std::unique_ptr<test::UpdateServers> FtpWebUpdate::servers_;
std::unique_ptr<webtest::GlobalDataWeb> FtpWebUpdate::dataWeb_;

TEST_F(FtpWebUpdate, MissingFileLeavesTheConnectionSoTheNextCheckFailsOnceAndThenWorks) {
    servers_->tree().remove("versao/6003/dtversao.cfg");
    auto first = check();
    ASSERT_EQ(messages_.texts.size(), 1u);
    EXPECT_EQ(messages_.texts[0], "No such file or directory.\r\n");
    EXPECT_EQ(captions(*first), std::vector<std::string>{"6.0.0.2"});
    EXPECT_TRUE(tree_.exists("TEMP/6003/dtversao.cfg"));
    EXPECT_TRUE(DataWeb->FTP.Connected());

    publish("6003", "d3", "Segunda");
    auto second = check();
    ASSERT_EQ(messages_.texts.size(), 2u);
    EXPECT_EQ(messages_.texts[1], "Already connected.");
    EXPECT_FALSE(DataWeb->FTP.Connected());

    auto third = check();
    EXPECT_EQ(messages_.texts.size(), 2u);
    EXPECT_EQ(captions(*third), (std::vector<std::string>{"6.0.0.2", "6.0.0.3"}));
}

TEST_F(FtpWebUpdate, ChoosingFtpOnTheConfigurationScreenTakesEffectAtOnce) {
    tree_.write("CONFIG/ATUTREV.CFG", "H\r\n");
    TFrmPai window(server());
    FrmPai = &window;
    window.show();
    window.findChild<QTimer*>("TmrFecha")->stop();
    ASSERT_EQ(window.protocol(), Protocol::Http);
    window.ShowEmbeddedScreen(TFrmPai::Screen::Config);
    FrmConfig->RbFTP->setChecked(true);
    FrmConfig->BitBtn1->click();
    EXPECT_EQ(window.protocol(), Protocol::Ftp);

    window.ShowEmbeddedScreen(TFrmPai::Screen::AtualizaWeb);
    ASSERT_NE(FrmAtualizaWeb, nullptr);
    EXPECT_TRUE(webtest::waitFor([] { return !FrmAtualizaWeb->Timer1->isActive(); }));
    EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
    EXPECT_EQ(captions(*FrmAtualizaWeb), (std::vector<std::string>{"6.0.0.2", "6.0.0.3"}));
    FrmPai = nullptr;
}

}  // namespace
}  // namespace trev
