// The update run, step by step, as a view sees it.
#include "../record/backup_test_support.h"
#include "peers/firebird_embedded.h"
#include "platform/errors.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "sequence_fixture.h"
#include "update/update_run.h"
#include "update/web_update_database.h"

#include <algorithm>
#include <filesystem>

namespace trev::sequencetest {
namespace {

using Lines = std::vector<std::string>;

const Lines kRunStart = {"selection locked", "download window shown", "phase 2 black 2. Download dos arquivos (Executando...)",
                         "events", "work cleared"};
const Lines kDownloadsDone = {"download window hidden", "phase 2 green 2. Download dos arquivos  (Ok)", "events",
                              "phase 3 black 3. Executar arquivos da Atualização  (Executando...)", "events"};
const Lines kRunEnd = {"action ", "phase 3 green 3. Executar arquivos da Atualização  (Ok)", "events",
                       "script window hidden"};

Lines concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Lines executableDownload(const std::string& name) {
    return {"action Realizando Download do executável...", "events", "work EXE TODAS " + name};
}

Lines execution(size_t row, const std::string& name, const Lines& script = {}) {
    Lines steps = {"work icon " + std::to_string(row) + " play", "events", "action Executando: " + name, "events"};
    steps.insert(steps.end(), script.begin(), script.end());
    steps.push_back("script window at " + std::to_string(row + 1));
    steps.push_back("work selected " + std::to_string(row));
    return steps;
}

class UpdateRunSequence : public Sequence {
protected:
    static void SetUpTestSuite() {
        peers::FirebirdEmbedded::instance();
        Sequence::SetUpTestSuite();
    }
    bool executeScripts_ = false;
    void run() {
        UpdateSource updates = source();
        WebUpdateDatabase database;
        if (executeScripts_) view_.database = &database;
        UpdateRun(view_, updates, database, log_).run();
        view_.database = nullptr;
    }
};

TEST_F(UpdateRunSequence, ATerminalUpdateDownloadsAndStartsOnlyQualifyingPrograms) {
    publishExecutables({"Novo.Exe", "_aux.exe", "dados.zip"});
    run();
    EXPECT_EQ(view_.record,
              concat({kRunStart, executableDownload("Novo.Exe"), executableDownload("_aux.exe"),
                      executableDownload("dados.zip"), kDownloadsDone, {"script window shown 0..3"},
                      execution(0, "Novo.Exe"), execution(1, "_aux.exe"), execution(2, "dados.zip"), kRunEnd,
                      {"launch C:\\Velor\\TREVALMONTE\\TEMP\\Novo.Exe", "end"}}));
    EXPECT_FALSE(fileExists("C:\\Velor\\TREVALMONTE\\TEMP\\SQL\\ListaMestre.txt"));
}

// Scripts of every version are fetched, oldest first, before the first one runs; two
// versions' scripts of the same name are kept apart and each runs its own.
TEST_F(UpdateRunSequence, AServerUpdateFetchesEveryScriptThenRunsThemInOrder) {
    install("CONFIG/.keep", "");
    peers::createDatabase(nativePath("C:\\VELOR\\TREVALMONTE\\DB_TREVALMONTE.GDB"));
    publishVersions({"6002", "6003"}, {{"a.sql", "SELECT 1 FROM RDB$DATABASE;\r\n"}, {"b.sql", ""}});
    publishExecutables({});
    letter_ = Protocol::Ftp;
    view_.serverUpdate = true;
    view_.versions = {{"6.0.0.2", "", ""}, {"6.0.0.3", "", ""}};
    run();
    const std::string sql = "C:\\Velor\\TREVALMONTE\\TEMP\\SQL\\";
    auto scripts = [](const std::string& folder) {
        return Lines{"action Realizando Download: " + folder + " - a.sql", "events", "work SQL " + folder + " a.sql",
                     "action Realizando Download: " + folder + " - b.sql", "events", "work SQL " + folder + " b.sql"};
    };
    EXPECT_EQ(view_.record,
              concat({kRunStart, {"events", "version icon 0 arrow", "events"}, scripts("6002"),
                      {"version icon 0 play", "events", "version icon 1 arrow", "events"}, scripts("6003"),
                      {"version icon 1 play", "events"}, kDownloadsDone,
                      {"script window shown 0..4", "action Copiando o banco de dados...", "events"},
                      execution(0, "a.sql", {"run " + sql + "6002\\a.sql"}),
                      execution(1, "b.sql", {"run " + sql + "6002\\b.sql"}),
                      execution(2, "a.sql", {"run " + sql + "6003\\a.sql"}),
                      execution(3, "b.sql", {"run " + sql + "6003\\b.sql"}),
                      kRunEnd, {"end"}}));
    EXPECT_EQ(installed("TEMP/SQL/ListaMestre.txt"), "a.sql\r\nb.sql\r\na.sql\r\nb.sql\r\n");
}

TEST_F(UpdateRunSequence, AMissingScriptListEndsTheRunBeforeAnyScriptRuns) {
    peers::createDatabase(nativePath("C:\\VELOR\\TREVALMONTE\\DB_TREVALMONTE.GDB"));
    publishVersions({"6002"}, {{"a.sql", ""}});
    served().remove("versao/6002/lista.txt");
    view_.serverUpdate = true;
    view_.versions = {{"6.0.0.2", "", ""}};
    EXPECT_THROW(run(), HttpProtocolError);
    EXPECT_EQ(Lines(view_.record.end() - 2, view_.record.end()), (Lines{"version icon 0 arrow", "events"}));
    EXPECT_TRUE(view_.linesStartingWith("run ").empty());
}

TEST_F(UpdateRunSequence, TickedAddOnsAreFetchedAndRegisteredInBothUpdateTypes) {
    publishExecutables({});
    serve("adicionais/relat.exe", "add-on");
    view_.addOns = {{"Relatorio", "", "", "relat.exe"}, {"Etiquetas", "", "", "etq.exe"}};
    view_.ticked = {true, false};
    run();
    EXPECT_EQ(installed("ADICIONAIS/relat.exe"), "add-on");
    EXPECT_NE(installed("CONFIG/MENU.CFG").find("Relatorio"), std::string::npos);
    EXPECT_EQ(installed("CONFIG/MENU.CFG").find("Etiquetas"), std::string::npos);
}

// The business application runs an add-on from its folder: a fetch that fails keeps
// the one installed, a fetch that succeeds replaces it; nothing else stays there.
TEST_F(UpdateRunSequence, AnInstalledAddOnIsReplacedOnlyByACompleteDownload) {
    const struct {
        bool served;
        std::string kept;
    } cases[] = {{true, "add-on 2"}, {false, "add-on 1"}};
    publishExecutables({});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.served ? "served" : "missing");
        if (c.served) serve("adicionais/relat.exe", "add-on 2");
        else served().remove("adicionais/relat.exe");
        install("ADICIONAIS/relat.exe", "add-on 1");
        view_.addOns = {{"Relatorio", "", "", "relat.exe"}};
        view_.ticked = {true};
        if (c.served) run();
        else EXPECT_THROW(run(), HttpProtocolError);
        EXPECT_EQ(installed("ADICIONAIS/relat.exe"), c.kept);
        const std::filesystem::directory_iterator folder(nativePath("C:\\VELOR\\TREVALMONTE\\ADICIONAIS"));
        EXPECT_EQ(std::distance(folder, {}), 1);
    }
}

bool holds(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

class LoggedServerUpdate : public UpdateRunSequence {
protected:
    void SetUp() override {
        UpdateRunSequence::SetUp();
        peers::createDatabase(nativePath(kDatabase));
        publishVersions({"6002"}, {{"b.sql", "CREATE TABLE T (X INTEGER);\r\n\r\nINSERT INTO NOPE\r\n VALUES (1);\r\n"}});
        publishExecutables({});
        view_.serverUpdate = true;
        view_.versions = {{"6.0.0.2", "", ""}};
        executeScripts_ = true;
    }
    std::vector<std::string> tables() {
        return peers::queryRows(nativePath(kDatabase),
                                "SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0;");
    }
    static constexpr const char* kDatabase = "C:\\VELOR\\TREVALMONTE\\DB_TREVALMONTE.GDB";
};

// Which statement failed and where, what was fetched, and the backup to go back to.
TEST_F(LoggedServerUpdate, TheLogNamesEachFailingStatementWithItsLineAndTheBackup) {
    run();
    const std::vector<std::string> log = logLines();
    EXPECT_EQ(log.front(), "Atualização iniciada: tipo Servidor");
    EXPECT_TRUE(holds(log, "Abrindo o banco de dados "));
    EXPECT_TRUE(holds(log, "Download: http://127.0.0.1:" + std::to_string(servers_->nginx().port()) +
                               "/download/atualiza/versao/6002/b.sql -> C:\\Velor\\TREVALMONTE\\TEMP\\SQL\\6002\\b.sql, "));
    EXPECT_TRUE(holds(log, "Falha no comando 2 do script 6002\\b.sql, linha 3: SQLCODE -204, "))
        << ::testing::PrintToString(log);
    EXPECT_TRUE(holds(log, "| comando: INSERT INTO NOPE"));
    EXPECT_TRUE(holds(log, "Script 6002\\b.sql: 2 comandos executados, 1 com falha"));
    EXPECT_TRUE(holds(log, "; para restaurar: gbak -c "));
    EXPECT_EQ(log.back(), "Atualização concluída");
    EXPECT_EQ(backuptest::backupsIn(drive_->file("VELOR/TREVALMONTE")).size(), 1u);
}

TEST_F(LoggedServerUpdate, ABackupThatCannotBeWrittenStopsTheRunBeforeAnyStatement) {
    // Only the backup is new in the data folder; what the run writes lies below it.
    install("TEMP/ATUALIZACAO.LOG", "");
    install("ADICIONAIS/.keep", "");
    backuptest::UnwritableFolder dataFolder(drive_->file("VELOR/TREVALMONTE"));
    ASSERT_TRUE(dataFolder.holds());
    EXPECT_THROW(run(), DatabaseError);
    EXPECT_TRUE(view_.linesStartingWith("run ").empty());
    EXPECT_EQ(tables(), std::vector<std::string>{});
    EXPECT_TRUE(logLines().back().rfind("Interrompido: ", 0) == 0) << logLines().back();
}

TEST_F(UpdateRunSequence, TheLogHoldsAFailedFetchAndTheErrorThatStoppedTheRun) {
    publishExecutables({"Novo.exe"});
    served().remove("exe/Novo.exe");
    EXPECT_THROW(run(), HttpProtocolError);
    const std::vector<std::string> log = logLines();
    EXPECT_TRUE(holds(log, "Falha no download: http://127.0.0.1:" + std::to_string(servers_->nginx().port()) +
                               "/download/atualiza/exe/Novo.exe -> C:\\Velor\\TREVALMONTE\\TEMP\\Novo.exe"));
    EXPECT_EQ(log.back(), "Interrompido: HTTP/1.1 404 Not Found.");
}

// A program the shell refuses stops the run short of its end: the updater stays open and says which.
TEST_F(UpdateRunSequence, AProgramTheShellRefusesKeepsTheUpdaterOpenAndIsLogged) {
    publishExecutables({"Novo.exe"});
    setLauncher([](const std::string& path, const std::string&) { throw LaunchError(path, 2); });
    EXPECT_THROW(run(), LaunchError);
    EXPECT_EQ(std::count(view_.record.begin(), view_.record.end(), "end"), 0);
    const std::vector<std::string> log = logLines();
    EXPECT_EQ(log.back(), "Interrompido: Não foi possível iniciar o programa \"C:\\Velor\\TREVALMONTE\\TEMP\\Novo.exe\" "
                          "(código 2)");
    EXPECT_FALSE(holds(log, "Programa iniciado"));
}

}  // namespace
}  // namespace trev::sequencetest
