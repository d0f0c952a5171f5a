// Whole update runs against nginx and the embedded database engine.
#include "platform/paths.h"
#include "ui/application.h"
#include "ui/gauge.h"
#include "update/frm_aguarde_sql.h"
#include "update/run/update_run_fixture.h"
#include "update/web_update_database.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>

namespace trev::runtest {
namespace {

using webtest::utf8;

std::vector<std::string> workList(TFrmAtualizaWeb& screen) {
    std::vector<std::string> rows;
    for (int i = 0; i < screen.ListArquivos->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = screen.ListArquivos->topLevelItem(i);
        rows.push_back(utf8(row->text(0) + " " + row->text(1) + " " + row->text(2)));
    }
    return rows;
}

const std::string kOkPhase3 = "3. Executar arquivos da Atualização  (Ok)";

TEST_F(UpdateRun, ServerUpdateRunsEveryScriptInVersionOrderAndCommitsAtTheEnd) {
    createDatabase();
    publish("6002", {{"clientes.sql", "CREATE TABLE CLIENTES (ID INTEGER, NOME VARCHAR(20));\r\nCOMMIT;\r\n"
                                      "INSERT INTO CLIENTES VALUES (1, 'um');\r\n"},
                     {"comum.sql", "INSERT INTO CLIENTES VALUES (90, 'antigo');\r\n"}});
    publish("6003", {{"falha.sql", "CREATE TABLE CLIENTES (X INTEGER);\r\nINSERT INTO CLIENTES VALUES (2,\r\n 'dois');\r\n"}});
    publish("6004", {{"comum.sql", "INSERT INTO CLIENTES VALUES (3, 'tres');\r\n"}});
    publishExecutables({"Novo.exe"});
    TFrmAtualizaWeb& screen = openScreen(true);
    // What the screen shows at the points where the run lets events run.
    std::vector<std::string> actions;
    bool firstRowArrowWhileDownloading = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        std::string action = utf8(screen.LblAcao->text());
        if (!actions.empty() && actions.back() == action) return;
        actions.push_back(action);
        if (action == "Realizando Download: 6002 - comum.sql")
            firstRowArrowWhileDownloading =
                screen.ListVersao->topLevelItem(0)->icon(0).cacheKey() == screen.ImageList1.value(0).cacheKey();
    });
    watcher.start(0);
    runUpdate();

    EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
    EXPECT_EQ(actions, (std::vector<std::string>{"", "Realizando Download: 6002 - clientes.sql",
                                                 "Realizando Download: 6002 - comum.sql",
                                                 "Realizando Download: 6003 - falha.sql",
                                                 "Realizando Download: 6004 - comum.sql",
                                                 "Realizando Download do executável...", "Copiando o banco de dados...",
                                                 "Executando: clientes.sql",
                                                 "Executando: comum.sql", "Executando: falha.sql",
                                                 "Executando: comum.sql", "Executando: Novo.exe", ""}));
    EXPECT_TRUE(firstRowArrowWhileDownloading);
    EXPECT_EQ(workList(screen), (std::vector<std::string>{"SQL 6002 clientes.sql", "SQL 6002 comum.sql",
                                                          "SQL 6003 falha.sql", "SQL 6004 comum.sql",
                                                          "EXE TODAS Novo.exe"}));
    EXPECT_EQ(tree_.read("TEMP/SQL/ListaMestre.txt"), "clientes.sql\r\ncomum.sql\r\nfalha.sql\r\ncomum.sql\r\n");
    for (int i = 0; i < screen.ListVersao->topLevelItemCount(); ++i)
        EXPECT_EQ(screen.ListVersao->topLevelItem(i)->icon(0).cacheKey(), screen.ImageList1.value(1).cacheKey());
    ASSERT_NE(FrmAguardeSQL, nullptr);
    EXPECT_EQ(FrmAguardeSQL->Barra->maxValue(), 5);
    EXPECT_EQ(FrmAguardeSQL->Barra->progress(), 5);
    EXPECT_EQ(utf8(screen.LblF3->text()), kOkPhase3);
    EXPECT_FALSE(screen.BtnAtualizar->isEnabled());
    EXPECT_FALSE(screen.RadioButton1->isEnabled());
    closeScreen();

    // Each version's comum.sql is kept apart and runs once, in version order.
    EXPECT_EQ(tree_.read("TEMP/SQL/6002/comum.sql"), "INSERT INTO CLIENTES VALUES (90, 'antigo');\r\n");
    EXPECT_EQ(tree_.read("TEMP/SQL/6004/comum.sql"), "INSERT INTO CLIENTES VALUES (3, 'tres');\r\n");
    EXPECT_EQ(query("SELECT ID, NOME FROM CLIENTES ORDER BY ID;"),
              (std::vector<std::string>{"1 um", "2 dois", "3 tres", "90 antigo"}));
}

TEST_F(UpdateRun, TerminalUpdateTouchesNoDatabaseAndNoScript) {
    publish("6002", {{"clientes.sql", "CREATE TABLE CLIENTES (ID INTEGER);\r\n"}});
    publishExecutables({"Novo.exe"});
    tree_.write("TEMP/SQL/ListaMestre.txt", "anterior\r\n");
    // IP.CFG cannot be read: a terminal update must not try.
    std::filesystem::create_directories(nativePath("C:\\Velor\\TREVALMONTE\\Config\\IP.CFG"));
    TFrmAtualizaWeb& screen = openScreen(false);
    runUpdate();

    EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
    EXPECT_FALSE(screen.database().Conexao.Connected());
    EXPECT_EQ(workList(screen), (std::vector<std::string>{"EXE TODAS Novo.exe"}));
    EXPECT_EQ(tree_.read("TEMP/SQL/ListaMestre.txt"), "anterior\r\n");
    EXPECT_FALSE(tree_.exists("TEMP/SQL/6002"));
    EXPECT_EQ(utf8(screen.LblF3->text()), kOkPhase3);
}

TEST_F(UpdateRun, OnlyQualifyingProgramsStartAfterTheLastPhaseIsDone) {
    publishExecutables({"_setup.exe", "Novo.Exe", "dados.zip"});
    openScreen(false);
    runUpdate();

    EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
    for (const char* name : {"_setup.exe", "Novo.Exe", "dados.zip"})
        EXPECT_EQ(tree_.read(std::string("TEMP/") + name), std::string("program ") + name);
    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_EQ(launches_[0].path, "C:\\Velor\\TREVALMONTE\\TEMP\\Novo.Exe");
    EXPECT_EQ(launches_[0].parameters, "");
    EXPECT_EQ(launches_[0].phaseText, kOkPhase3);
}

TEST_F(UpdateRun, TickedAddOnsAreFetchedAndRegisteredOnce) {
    publishExecutables({});
    publishAddOn("rel.exe", "Relatorio");
    publishAddOn("etq.exe", "Etiquetas");
    for (bool serverUpdate : {false, true}) {
        SCOPED_TRACE(serverUpdate ? "server" : "terminal");
        if (serverUpdate) createDatabase();
        openScreen(serverUpdate);
        tickAddOn(1);
        runUpdate();
        EXPECT_TRUE(messages_.texts.empty()) << messages_.texts.front();
        closeScreen();
        EXPECT_EQ(tree_.read("ADICIONAIS/etq.exe"), "add-on etq.exe");
        EXPECT_FALSE(tree_.exists("ADICIONAIS/rel.exe"));
        EXPECT_EQ(tree_.read("CONFIG/MENU.CFG"),
                  "Etiquetas" + std::string(31, ' ') + "C:\\VELOR\\TREVALMONTE\\ADICIONAIS\\etq.exe\r\n");
    }
}

TEST_F(UpdateRun, NoTickedAddOnStillCreatesTheMenuFile) {
    publishExecutables({});
    publishAddOn("rel.exe", "Relatorio");
    openScreen(false);
    runUpdate();
    EXPECT_TRUE(tree_.exists("CONFIG/MENU.CFG"));
    EXPECT_EQ(tree_.read("CONFIG/MENU.CFG"), "");
}

TEST_F(UpdateRun, AMissingScriptListStopsTheRunBeforeAnyScriptRuns) {
    createDatabase();
    publish("6002", {{"a.sql", "CREATE TABLE A (ID INTEGER);\r\n"}});
    publish("6003", {{"b.sql", "CREATE TABLE B (ID INTEGER);\r\n"}});
    unserve("versao/6003/lista.txt");
    publishExecutables({"Novo.exe"});
    TFrmAtualizaWeb& screen = openScreen(true);
    runUpdate();

    ASSERT_EQ(messages_.texts.size(), 1u);
    EXPECT_EQ(messages_.texts[0], "HTTP/1.1 404 Not Found.");
    EXPECT_TRUE(tree_.exists("TEMP/SQL/6002/a.sql"));
    EXPECT_EQ(utf8(screen.LblF2->text()), "2. Download dos arquivos (Executando...)");
    EXPECT_FALSE(screen.BtnAtualizar->isEnabled());
    EXPECT_TRUE(launches_.empty());
    closeScreen();
    EXPECT_EQ(query("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME IN ('A', 'B');"),
              (std::vector<std::string>{"0"}));
}

TEST_F(UpdateRun, AnUnreachableDatabaseStopsTheRunBeforeAnyDownload) {
    publish("6002", {{"a.sql", "CREATE TABLE A (ID INTEGER);\r\n"}});
    publishExecutables({"Novo.exe"});
    TFrmAtualizaWeb& screen = openScreen(true);
    runUpdate();

    ASSERT_EQ(messages_.texts.size(), 1u);
    EXPECT_NE(messages_.texts[0].find("DB_TREVALMONTE.GDB"), std::string::npos) << messages_.texts[0];
    EXPECT_EQ(requestsFor("lista.txt"), 0u);
    EXPECT_FALSE(tree_.exists("TEMP/SQL"));
    EXPECT_FALSE(screen.database().Conexao.Connected());
}

TEST_F(UpdateRun, AScriptDeletedBeforeItsTurnEndsTheRunWithTheRunnersMessageOnly) {
    createDatabase();
    publish("6002", {{"a.sql", "CREATE TABLE A (ID INTEGER);\r\n"}});
    publishExecutables({"Novo.exe"});
    TFrmAtualizaWeb& screen = openScreen(true);
    // Deleted once downloads are over, before execution begins.
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (screen.LblF3->text().endsWith("(Executando...)")) deleteFile("C:\\Velor\\TREVALMONTE\\TEMP\\SQL\\6002\\a.sql");
    });
    watcher.start(0);
    runUpdate();

    EXPECT_EQ(messages_.texts, (std::vector<std::string>{"O Arquivo informado não exixte!"}));
    EXPECT_TRUE(launches_.empty());
    EXPECT_EQ(utf8(screen.LblF3->text()), "3. Executar arquivos da Atualização  (Executando...)");
}

TEST_F(UpdateRun, NamesThatLeaveTheirFolderAreRefusedBeforeAnythingIsWrittenForThem) {
    publishExecutables({"ok.exe", "..\\fora.exe"});
    serve("exe/..\\fora.exe", "evil");
    openScreen(false);
    runUpdate();

    ASSERT_EQ(messages_.texts.size(), 1u);
    EXPECT_NE(messages_.texts[0].find("fora.exe"), std::string::npos) << messages_.texts[0];
    EXPECT_FALSE(tree_.exists("fora.exe"));
    EXPECT_FALSE(tree_.exists("TEMP/ok.exe"));
    EXPECT_TRUE(launches_.empty());
}

}  // namespace
}  // namespace trev::runtest
