// A whole server update with FTP as the protocol: scripts, lists and add-ons
// over FTP from pyftpdlib, executables still over HTTP from nginx.
#include "transfer/data_web.h"
#include "update/run/update_run_fixture.h"

#include <QLabel>

namespace trev::runtest {
namespace {

using webtest::utf8;

class FtpUpdateRun : public UpdateRun {
protected:
    static void SetUpTestSuite() { setUpServers(test::UpdateServers::Serve::HttpAndFtp); }
    void SetUp() override {
        UpdateRun::SetUp();
        DataWeb->FTP.Disconnect();
        webtest::setStandaloneSource(Protocol::Ftp, UpdateServer{"127.0.0.1", servers_->nginx().port(), servers_->ftpPort()});
    }
};

TEST_F(FtpUpdateRun, ServerUpdateFetchesEverythingButTheExecutablesOverFtp) {
    createDatabase();
    publish("6002", {{"tabela.sql", "CREATE TABLE ITENS (ID INTEGER);\r\nCOMMIT;\r\nINSERT INTO ITENS VALUES (7);\r\n"}});
    publishExecutables({"Novo.exe"});
    publishAddOn("etq.exe", "Etiquetas");
    openScreen(true);
    tickAddOn(0);
    runUpdate();

    EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
    EXPECT_EQ(tree_.read("TEMP/SQL/6002/tabela.sql").substr(0, 12), "CREATE TABLE");
    EXPECT_EQ(tree_.read("ADICIONAIS/etq.exe"), "add-on etq.exe");
    EXPECT_EQ(tree_.read("TEMP/Novo.exe"), "program Novo.exe");
    EXPECT_EQ(requestsFor("/download/atualiza/versao/"), 0u);
    EXPECT_EQ(requestsFor("/download/atualiza/adicionais/"), 0u);
    EXPECT_EQ(requestsFor("GET /download/atualiza/exe/lista.txt "), 1u);
    EXPECT_EQ(requestsFor("GET /download/atualiza/exe/Novo.exe "), 1u);
    EXPECT_FALSE(DataWeb->FTP.Connected());
    ASSERT_EQ(launches_.size(), 1u);
    closeScreen();
    EXPECT_EQ(query("SELECT ID FROM ITENS;"), std::vector<std::string>{"7"});
}

TEST_F(FtpUpdateRun, AFailedFtpFetchStopsTheRunBeforeAnyScriptRuns) {
    createDatabase();
    publish("6002", {{"a.sql", "CREATE TABLE A (ID INTEGER);\r\n"}, {"b.sql", "CREATE TABLE B (ID INTEGER);\r\n"}});
    unserve("versao/6002/b.sql");
    publishExecutables({"Novo.exe"});
    TFrmAtualizaWeb& screen = openScreen(true);
    runUpdate();

    ASSERT_EQ(messages_.texts.size(), 1u);
    EXPECT_EQ(messages_.texts[0], "No such file or directory.\r\n");
    EXPECT_TRUE(tree_.exists("TEMP/SQL/6002/a.sql"));
    EXPECT_EQ(tree_.read("TEMP/SQL/6002/b.sql"), "");
    EXPECT_EQ(utf8(screen.LblF2->text()), "2. Download dos arquivos (Executando...)");
    EXPECT_EQ(requestsFor("/download/atualiza/exe/"), 0u);
    EXPECT_TRUE(launches_.empty());
    closeScreen();
    EXPECT_EQ(query("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME IN ('A', 'B');"), std::vector<std::string>{"0"});
}

}  // namespace
}  // namespace trev::runtest
