// The version check against a real nginx serving the update tree.
#include "app/frm_pai.h"
#include "platform/codepage.h"
#include "support/qt_application.h"
#include "support/update_servers.h"
#include "support/web_test_support.h"
#include "transfer/data_web.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "update/frm_atualiza_web.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace trev {
namespace {

using webtest::CapturedMessages;
using webtest::InstallTree;
using webtest::textColor;
using webtest::utf8;

const std::string kVersions = "download/atualiza/versao/";

class VersionCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::ensureApplication();
        servers_ = std::make_unique<test::UpdateServers>("web-server");
        dataWeb_ = std::make_unique<webtest::GlobalDataWeb>();
    }
    static void TearDownTestSuite() {
        dataWeb_.reset();
        servers_.reset();
    }

    void SetUp() override {
        servers_->tree().clear();
        markLog();
        webtest::setStandaloneSource(Protocol::Http, UpdateServer{"127.0.0.1", servers_->nginx().port(), 21});
        tree_.write("TXT/trev_versao.txt", "6.0.0.1\r\n");
        servers_->tree().publishAddOnList({test::addOnLine("relat.exe", "Relatorio", "01/02/2014", "Vendas por mes"),
                                           test::addOnLine("etq.exe", "Etiquetas", "", "")});
    }

    static void serve(const std::string& relative, const std::string& bytes) { servers_->tree().write(relative, bytes); }
    // A published version without scripts.
    static void publish(const std::string& id, const std::string& label, const std::string& date,
                        const std::string& description) {
        servers_->tree().publishVersion({id, label, date, description, {}});
    }

    std::unique_ptr<TFrmAtualizaWeb> createScreen() {
        auto screen = std::make_unique<TFrmAtualizaWeb>(nullptr, webtest::standaloneHost());
        screen->show();
        return screen;
    }
    // Lets the screen's own timer start the check; it ends within the handler.
    void runCheck(TFrmAtualizaWeb& screen) {
        ASSERT_TRUE(webtest::waitFor([&] { return !screen.Timer1->isActive(); }));
    }
    static std::vector<std::vector<std::string>> rows(QTreeWidget* list) {
        std::vector<std::vector<std::string>> result;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            std::vector<std::string> row;
            for (int c = 0; c < list->columnCount(); ++c) row.push_back(utf8(list->topLevelItem(i)->text(c)));
            result.push_back(row);
        }
        return result;
    }
    // Requests of earlier tests are logged before this mark.
    void markLog() { logMark_ = servers_->nginx().settledAccessLog().size(); }

    // Requests of this test only, once nginx has logged every request answered.
    size_t requests(const std::string& path) const {
        const std::string log = servers_->nginx().settledAccessLog().substr(logMark_);
        const std::string request = "GET " + path + " ";
        size_t n = 0;
        for (size_t at = log.find(request); at != std::string::npos; at = log.find(request, at + 1)) ++n;
        return n;
    }
    void expectCheckingStateKept(TFrmAtualizaWeb& screen) {
        EXPECT_EQ(utf8(screen.lblF1->text()), "1. Verificando Versões  (Executando...)");
        EXPECT_EQ(textColor(screen.lblF1), QColor(0, 0, 0));
        EXPECT_EQ(utf8(screen.LblAcao->text()), "Verificando versão...");
        EXPECT_FALSE(screen.Timer1->isActive());
        EXPECT_FALSE(screen.BtnAtualizar->isEnabled());
        EXPECT_TRUE(screen.Lbl_Aviso_12->isHidden());
    }

    static std::unique_ptr<test::UpdateServers> servers_;
    static std::unique_ptr<webtest::GlobalDataWeb> dataWeb_;
    InstallTree tree_;
    CapturedMessages messages_;
    size_t logMark_ = 0;
};

std::unique_ptr<test::UpdateServers> VersionCheck::servers_;
std::unique_ptr<webtest::GlobalDataWeb> VersionCheck::dataWeb_;

TEST_F(VersionCheck, ListsTheVersionsAfterTheInstalledOneOnce) {
    serve("versao/versao.cfg", "5001\r\n6001\r\n6002\r\n6003\r\n6004\r\n");
    publish("6002", " 6.0.0.2", "10/01/2014", "Corrige o fechamento de caixa");
    publish("6003", "6.0.0.3", "20/02/2014", "");
    serve("versao/6004/dtversao.cfg", "30/03/2014  \r\nsegunda linha\r\n");
    serve("versao/6004/descricao.cfg", "6.0.0.4\r\n");
    auto screen = createScreen();
    EXPECT_EQ(utf8(screen->lblF1->text()), "1. Verificando Versões");
    EXPECT_EQ(textColor(screen->lblF1), QColor(128, 128, 128));

    // A second firing while the check lets events run starts nothing.
    std::string duringText;
    QColor duringColor;
    bool nested = false;
    QTimer::singleShot(0, screen.get(), [&] {
        duringText = utf8(screen->lblF1->text()) + "|" + utf8(screen->LblAcao->text());
        duringColor = textColor(screen->lblF1);
        nested = true;
        screen->Timer1Timer();
    });
    screen->Timer1Timer();

    ASSERT_TRUE(nested);
    EXPECT_EQ(duringText, "1. Verificando Versões  (Executando...)|Verificando versão...");
    EXPECT_EQ(duringColor, QColor(0, 0, 0));
    EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
    EXPECT_EQ(rows(screen->ListVersao), (std::vector<std::vector<std::string>>{
                                            {"6.0.0.2", "10/01/2014", "Corrige o fechamento de caixa"},
                                            {"6.0.0.3", "20/02/2014", ""},
                                            {"6.0.0.4", "30/03/2014  ", ""},
                                        }));
    EXPECT_EQ(rows(screen->ListAdicionais), (std::vector<std::vector<std::string>>{
                                                {"Relatorio", "01/02/2014", "Vendas por mes", "relat.exe"},
                                                {"Etiquetas", "", "", "etq.exe"},
                                            }));
    EXPECT_EQ(screen->ListAdicionais->topLevelItem(0)->checkState(0), Qt::Unchecked);
    EXPECT_TRUE(screen->ListVersao->topLevelItem(0)->icon(0).isNull());
    EXPECT_EQ(utf8(screen->lblF1->text()), "1. Verificando Versões  (Ok)");
    EXPECT_EQ(textColor(screen->lblF1), QColor(0, 128, 0));
    EXPECT_EQ(screen->LblAcao->text(), QString());
    EXPECT_TRUE(screen->Sh_Aviso1->isVisible());
    EXPECT_TRUE(screen->Lbl_Aviso_11->isVisible());
    EXPECT_TRUE(screen->Lbl_Aviso_12->isVisible());
    EXPECT_FALSE(screen->BtnAtualizar->isEnabled());
    EXPECT_FALSE(screen->Timer1->isActive());
    EXPECT_EQ(requests("/download/atualiza/versao/6004/descricao.cfg"), 1u);
    EXPECT_EQ(requests("/download/atualiza/versao/versao.cfg"), 1u);
    EXPECT_EQ(requests("/download/atualiza/versao/6001/dtversao.cfg"), 0u);
    EXPECT_TRUE(tree_.exists("TEMP/6003/dtversao.cfg"));
    EXPECT_EQ(tree_.read("TEMP/descricaoAD.cfg").substr(0, 9), "relat.exe");

    // The timer never runs the check again for this screen.
    screen->hide();
    screen->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(requests("/download/atualiza/versao/versao.cfg"), 1u);
}

// As the main window embeds it: the server and the protocol letter come from there,
// and showing the screen again fetches nothing.
TEST_F(VersionCheck, EmbeddedByTheMainWindow) {
    serve("versao/versao.cfg", "6001\r\n6002\r\n");
    publish("6002", "6.0.0.2", "d2", "");
    webtest::setStandaloneSource(Protocol::Ftp, UpdateServer{"127.0.0.1", 1, 1});
    TFrmPai window(UpdateServer{"127.0.0.1", servers_->nginx().port(), 1});
    FrmPai = &window;
    window.ShowEmbeddedScreen(TFrmPai::Screen::AtualizaWeb);
    ASSERT_NE(FrmAtualizaWeb, nullptr);
    EXPECT_EQ(FrmAtualizaWeb->parentWidget(), window.contentPanel());
    runCheck(*FrmAtualizaWeb);
    EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
    EXPECT_EQ(rows(FrmAtualizaWeb->ListVersao).size(), 1u);
    TFrmAtualizaWeb* first = FrmAtualizaWeb;
    window.ShowEmbeddedScreen(TFrmPai::Screen::AtualizaWeb);
    EXPECT_EQ(FrmAtualizaWeb, first);
    EXPECT_EQ(requests("/download/atualiza/versao/6002/descricao.cfg"), 1u);
    EXPECT_EQ(requests("/download/atualiza/versao/versao.cfg"), 1u);
    delete FrmAtualizaWeb;
    FrmPai = nullptr;
}

TEST_F(VersionCheck, WhichVersionsAreOffered) {
    struct Case {
        const char* title;
        std::string installedFile;
        std::string versionList;
        std::vector<std::string> captions;
    } cases[] = {
        {"installed last", "6.0.0.3", "6001\r\n6002\r\n6003\r\n", {}},
        {"installed absent", "7.0", "6002\r\n6003\r\n", {"6.0.0.2", "6.0.0.3"}},
        {"installed twice", "6002", "6002\r\n6003\r\n6002\r\n", {"6.0.0.3", "6.0.0.2"}},
        {"empty installed version", "", "6002\r\n6003\r\n", {"6.0.0.2", "6.0.0.3"}},
        {"empty list", "6.0.0.2", "", {}},
    };
    publish("6002", "6.0.0.2", "d2", "");
    publish("6003", "6.0.0.3", "d3", "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        tree_.write("TXT/trev_versao.txt", c.installedFile);
        serve("versao/versao.cfg", c.versionList);
        auto screen = createScreen();
        runCheck(*screen);
        EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
        std::vector<std::string> captions;
        for (const auto& row : rows(screen->ListVersao)) captions.push_back(row[0]);
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(utf8(screen->lblF1->text()), "1. Verificando Versões  (Ok)");
    }
}

TEST_F(VersionCheck, OverFtpWithTheUpdateAccount) {
    webtest::setStandaloneSource(Protocol::Ftp, UpdateServer{"127.0.0.1", 1, servers_->ftpPort()});
    DataWeb->FTP.Username.clear();
    serve("versao/versao.cfg", "6001\r\n6002\r\n6003\r\n");
    publish("6002", "6.0.0.2", "d2", "Primeira");
    publish("6003", "6.0.0.3", "d3", "Segunda");
    auto screen = createScreen();
    runCheck(*screen);

    EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
    EXPECT_EQ(rows(screen->ListVersao), (std::vector<std::vector<std::string>>{{"6.0.0.2", "d2", "Primeira"},
                                                                              {"6.0.0.3", "d3", "Segunda"}}));
    EXPECT_EQ(rows(screen->ListAdicionais).size(), 2u);
    EXPECT_EQ(DataWeb->FTP.Host, "127.0.0.1");
    EXPECT_EQ(DataWeb->FTP.Port, servers_->ftpPort());
    EXPECT_EQ(DataWeb->FTP.Username, "trevalmonte");
    EXPECT_FALSE(DataWeb->FTP.Connected());
    EXPECT_EQ(requests("/download/atualiza/versao/versao.cfg"), 0u);
}

TEST_F(VersionCheck, FailedFetchKeepsRowsAndTheCheckingState) {
    serve("versao/versao.cfg", "6001\r\n6002\r\n6003\r\n6004\r\n");
    publish("6002", "6.0.0.2", "d2", "");
    serve("versao/6003/dtversao.cfg", "d3\r\n");
    publish("6004", "6.0.0.4", "d4", "");
    auto screen = createScreen();
    runCheck(*screen);

    ASSERT_EQ(messages_.texts.size(), 1u);
    EXPECT_NE(messages_.texts[0].find("404"), std::string::npos) << messages_.texts[0];
    ASSERT_EQ(screen->ListVersao->topLevelItemCount(), 1);
    EXPECT_EQ(utf8(screen->ListVersao->topLevelItem(0)->text(0)), "6.0.0.2");
    EXPECT_EQ(requests("/download/atualiza/versao/6003/descricao.cfg"), 1u);
    EXPECT_EQ(requests("/download/atualiza/versao/6004/dtversao.cfg"), 0u);
    expectCheckingStateKept(*screen);

    // The type can still be chosen after a failed check, but no update started
    // from the versions listed so far.
    screen->RadioButton2->click();
    EXPECT_TRUE(screen->PnAviso02->isVisible());
    EXPECT_FALSE(screen->BtnAtualizar->isEnabled());
}

TEST_F(VersionCheck, LocalFileFailures) {
    serve("versao/versao.cfg", "6001\r\n");
    struct Case {
        const char* title;
        bool withTemp;
        bool withInstalledFile;
        std::string message;
    } cases[] = {
        {"no TEMP folder", false, true, "Cannot create file \"C:\\Velor\\TREVALMONTE\\TEMP\\versao.cfg\". "},
        {"no installed-version file", true, false, "File not found."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        InstallTree tree(c.withTemp);
        if (c.withInstalledFile) tree.write("TXT/trev_versao.txt", "6001");
        messages_.texts.clear();
        auto screen = createScreen();
        runCheck(*screen);
        ASSERT_EQ(messages_.texts.size(), 1u);
        EXPECT_EQ(messages_.texts[0].substr(0, c.message.size()), c.message);
        expectCheckingStateKept(*screen);
    }
}

TEST_F(VersionCheck, RefusesAVersionNameLeadingOutOfTemp) {
    serve("versao/versao.cfg", "6001\r\n6002\r\n..\r\n6003\r\n");
    publish("6002", "6.0.0.2", "d2", "");
    publish("6003", "6.0.0.3", "d3", "");
    serve("dtversao.cfg", "escaped\r\n");
    auto screen = createScreen();
    runCheck(*screen);

    ASSERT_EQ(messages_.texts.size(), 1u);
    EXPECT_EQ(messages_.texts[0], "Nome inválido na linha 3 de versao.cfg: \"..\"");
    EXPECT_EQ(rows(screen->ListVersao).size(), 1u);
    EXPECT_EQ(requests("/download/atualiza/versao/6002/descricao.cfg"), 1u);
    EXPECT_EQ(servers_->nginx().accessLog().find("/versao/../"), std::string::npos);
    EXPECT_EQ(requests("/download/atualiza/versao/6003/dtversao.cfg"), 0u);
    EXPECT_FALSE(tree_.exists("dtversao.cfg"));
    expectCheckingStateKept(*screen);
}

}  // namespace
}  // namespace trev
