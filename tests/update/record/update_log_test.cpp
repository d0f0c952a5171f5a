// The update log's lines, as bytes on disk.
#include "platform/codepage.h"
#include "platform/errors.h"
#include "support/temp_drive.h"
#include "transfer/update_server.h"
#include "update/database_backup.h"
#include "update/sql_script_split.h"
#include "update/update_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>

namespace trev {
namespace {

const LocalTime kTime{2025, 3, 7, 9, 5, 2};
const std::string kStamp = "07/03/2025 09:05:02 ";
const char* const kLog = "VELOR/TREVALMONTE/TEMP/ATUALIZACAO.LOG";
const char* const kOldLog = "VELOR/TREVALMONTE/TEMP/ATUALIZACAO.OLD.LOG";
const UpdateServer kServer{"atualiza.example", 8080, 2121};

// Our texts are written in UTF-8 here and read back as the Windows-1252 file holds them.
std::string line(const std::string& utf8) { return utf8ToCp1252(kStamp + utf8) + "\r\n"; }

class UpdateLogTest : public ::testing::Test {
protected:
    void SetUp() override { drive_.put("VELOR/TREVALMONTE/TEMP/versao.cfg", ""); }
    std::string logged() const { return drive_.get(kLog); }

    test::TempDrive drive_;
    UpdateLog log_{paths::kUpdateLog, paths::kUpdateLogOld, [] { return kTime; }};
};

struct EventCase {
    const char* name;
    std::function<void(UpdateLog&)> event;
    std::string text;  // UTF-8, after the time
};

class UpdateLogEventTest : public UpdateLogTest, public ::testing::WithParamInterface<EventCase> {};

TEST_P(UpdateLogEventTest, WritesOneLineAfterTheTime) {
    GetParam().event(log_);
    EXPECT_EQ(logged(), line(GetParam().text));
}

const std::string kLongStatement = "INSERT INTO T VALUES ('" + std::string(300, 'x') + "')";

INSTANTIATE_TEST_SUITE_P(
    Events, UpdateLogEventTest,
    ::testing::Values(
        EventCase{"CheckOverHttp", [](UpdateLog& l) { l.checkStarted(Protocol::Http, kServer, "231"); },
                  "Verificação de versões iniciada: protocolo HTTP, servidor atualiza.example:8080, versão instalada 231"},
        EventCase{"CheckOverFtpWithoutInstalledVersion", [](UpdateLog& l) { l.checkStarted(Protocol::Ftp, kServer, ""); },
                  "Verificação de versões iniciada: protocolo FTP, servidor atualiza.example:2121, versão instalada "
                  "desconhecida"},
        EventCase{"Fetched",
                  [](UpdateLog& l) { l.fetched("http://h/download/atualiza/versao/versao.cfg", "C:\\T\\versao.cfg", 123, 45); },
                  "Download: http://h/download/atualiza/versao/versao.cfg -> C:\\T\\versao.cfg, 123 bytes em 45 ms"},
        EventCase{"FetchFailedOnOneLine",
                  [](UpdateLog& l) { l.fetchFailed("/x/lista.txt", "C:\\T\\lista.txt", 7, "Socket Error # 10061\r\nConnection refused."); },
                  "Falha no download: /x/lista.txt -> C:\\T\\lista.txt, após 7 ms: Socket Error # 10061 / Connection refused."},
        EventCase{"VersionsOffered", [](UpdateLog& l) { l.versionsOffered({"240", "250"}); },
                  "Versões oferecidas: 240, 250"},
        EventCase{"NoVersionOffered", [](UpdateLog& l) { l.versionsOffered({}); }, "Versões oferecidas: nenhuma"},
        EventCase{"ServerRunNamesTheDatabase",
                  [](UpdateLog& l) { l.runStarted(true, "127.0.0.1/3050:C:\\dados\\DB_TREVALMONTE.GDB"); },
                  "Atualização iniciada: tipo Servidor, banco de dados 127.0.0.1/3050:C:\\dados\\DB_TREVALMONTE.GDB"},
        EventCase{"TerminalRun", [](UpdateLog& l) { l.runStarted(false, ""); }, "Atualização iniciada: tipo Terminal"},
        EventCase{"Backup",
                  [](UpdateLog& l) { l.backupMade({"/d/DB_TREVALMONTE_20250307_090502.FBK", 4096, 3.14, "gbak -c x y"}); },
                  "Cópia de segurança do banco de dados: /d/DB_TREVALMONTE_20250307_090502.FBK, 4096 bytes em 3,1 s; "
                  "para restaurar: gbak -c x y"},
        EventCase{"BackupOfAnUnseenFile", [](UpdateLog& l) { l.backupMade({"C:\\d\\B.FBK", -1, 0.04, "gbak"}); },
                  "Cópia de segurança do banco de dados: C:\\d\\B.FBK, tamanho desconhecido em 0,0 s; para restaurar: gbak"},
        EventCase{"Script", [](UpdateLog& l) { l.scriptRun("001.sql", {12, 2}); },
                  "Script 001.sql: 12 comandos executados, 2 com falha"},
        EventCase{"ScriptOfOneStatement", [](UpdateLog& l) { l.scriptRun("6002\\001.sql", {1, 0}); },
                  "Script 6002\\001.sql: 1 comando executado, 0 com falha"},
        EventCase{"HugeNameCut", [](UpdateLog& l) { l.programStarted(std::string(70000, 'x')); },
                  "Programa iniciado: " + std::string(300, 'x') + "..."},
        EventCase{"FailedStatementCutTo200",
                  [](UpdateLog& l) {
                      l.statementFailed("001.sql", {kLongStatement, 3, 7},
                                        {true, -607, "unsuccessful metadata update\r\nTable T already exists"});
                  },
                  "Falha no comando 3 do script 001.sql, linha 7: SQLCODE -607, unsuccessful metadata update / Table T "
                  "already exists | comando: " + kLongStatement.substr(0, 200)},
        EventCase{"AddOn", [](UpdateLog& l) { l.addOnRegistered("Etiquetas", "ETIQ.EXE"); },
                  "Adicional registrado no menu: Etiquetas (ETIQ.EXE)"},
        EventCase{"Program", [](UpdateLog& l) { l.programStarted("C:\\Velor\\TREVALMONTE\\TEMP\\TREV.EXE"); },
                  "Programa iniciado: C:\\Velor\\TREVALMONTE\\TEMP\\TREV.EXE"},
        EventCase{"Finished", [](UpdateLog& l) { l.runFinished(); }, "Atualização concluída"},
        EventCase{"StoppedByAnError", [](UpdateLog& l) { l.stopped("Disk full."); }, "Interrompido: Disk full."},
        EventCase{"StoppedSilently", [](UpdateLog& l) { l.stopped(""); }, "Interrompido sem mensagem"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdateLogTest, WritesWindows1252AndCrLf) {
    log_.runFinished();
    EXPECT_EQ(logged(), kStamp + "Atualiza\xe7\xe3o conclu\xed" "da\r\n");
}

TEST_F(UpdateLogTest, AppendsToWhatIsThere) {
    drive_.put(kLog, "earlier\r\n");
    log_.runFinished();
    UpdateLog(paths::kUpdateLog, paths::kUpdateLogOld, [] { return kTime; }).stopped("");
    EXPECT_EQ(logged(), "earlier\r\n" + line("Atualização concluída") + line("Interrompido sem mensagem"));
}

TEST_F(UpdateLogTest, StampsTheLocalTimeByDefault) {
    UpdateLog(paths::kUpdateLog, paths::kUpdateLogOld).runFinished();
    EXPECT_TRUE(std::regex_match(logged(), std::regex(R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d Atualiza[\s\S]*\r\n)")))
        << logged();
}

TEST_F(UpdateLogTest, CutsAnOverlongLine) {
    log_.stopped(std::string(10000, 'e'));
    EXPECT_EQ(logged().size(), UpdateLog::kLineLimit + 2);
    EXPECT_EQ(logged().substr(UpdateLog::kLineLimit - 3), "...\r\n");
}

TEST_F(UpdateLogTest, FetchTimesTheTransferAndLogsTheBytesThatArrived) {
    log_.fetch("/a/versao.cfg", "C:\\VELOR\\TREVALMONTE\\TEMP\\versao.cfg",
               [this] { drive_.put("VELOR/TREVALMONTE/TEMP/versao.cfg", "12345"); });
    EXPECT_TRUE(std::regex_match(
        logged(), std::regex(kStamp + R"(Download: /a/versao.cfg -> C:\\VELOR\\TREVALMONTE\\TEMP\\versao.cfg, 5 bytes em \d+ ms\r\n)")))
        << logged();
}

TEST_F(UpdateLogTest, FetchLogsTheErrorAndPassesItOn) {
    EXPECT_THROW(log_.fetch("/a/x", "C:\\T\\x", [] { throw HttpProtocolError("HTTP/1.1 404 Not Found", 404); }),
                 HttpProtocolError);
    EXPECT_TRUE(std::regex_match(logged(), std::regex(kStamp + R"(Falha no download: /a/x -> C:\\T\\x, ap\xf3s \d+ ms: HTTP/1.1 404 Not Found\r\n)")))
        << logged();
}

TEST_F(UpdateLogTest, ScriptLoggerNamesOnlyFailedStatementsAndTheCounts) {
    ScriptLogger logger(log_, "002.sql");
    logger.statementDone({"COMMIT", 1, 1}, {});
    logger.statementDone({"X", 2, 4}, {true, -104, "Token unknown"});
    logger.scriptDone({2, 1});
    EXPECT_EQ(logged(), line("Falha no comando 2 do script 002.sql, linha 4: SQLCODE -104, Token unknown | comando: X") +
                            line("Script 002.sql: 2 comandos executados, 1 com falha"));
}

struct RotationCase {
    const char* name;
    size_t size;
    bool oldLogBefore;
    std::function<void(UpdateLog&)> event;
    bool rotates;
};

class UpdateLogRotationTest : public UpdateLogTest, public ::testing::WithParamInterface<RotationCase> {};

TEST_P(UpdateLogRotationTest, StartsANewLogOnlyWhenACheckFindsItOver1MiB) {
    const std::string before(GetParam().size, 'a');
    drive_.put(kLog, before);
    if (GetParam().oldLogBefore) drive_.put(kOldLog, "older");
    GetParam().event(log_);
    if (GetParam().rotates) {
        EXPECT_EQ(drive_.get(kOldLog), before);
        EXPECT_EQ(logged().find(kStamp), 0u);
    } else {
        EXPECT_EQ(logged().substr(0, before.size()), before);
        EXPECT_EQ(drive_.get(kOldLog), GetParam().oldLogBefore ? "older" : "");
    }
}

const auto kCheck = [](UpdateLog& l) { l.checkStarted(Protocol::Http, kServer, "1"); };

INSTANTIATE_TEST_SUITE_P(
    Sizes, UpdateLogRotationTest,
    ::testing::Values(RotationCase{"Exactly1MiBStays", 1024 * 1024, false, kCheck, false},
                      RotationCase{"OverIsRenamed", 1024 * 1024 + 1, false, kCheck, true},
                      RotationCase{"OverReplacesTheOldLog", 1024 * 1024 + 1, true, kCheck, true},
                      RotationCase{"ARunNeverRotates", 1024 * 1024 + 1, true,
                                   [](UpdateLog& l) { l.runStarted(true, "x"); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A check or a run keeps the file open; what it logs must be the same bytes, in the same files.
struct KeptOpenCase {
    const char* name;
    std::function<void(UpdateLog&, const test::TempDrive&)> steps;
    std::string log;     // after the guard ended
    std::string oldLog;
};

class UpdateLogKeptOpenTest : public UpdateLogTest, public ::testing::WithParamInterface<KeptOpenCase> {};

TEST_P(UpdateLogKeptOpenTest, WritesWhatAnOpenAndCloseForEachLineWould) {
    {
        const UpdateLog::KeptOpen keptOpen(log_);
        GetParam().steps(log_, drive_);
    }
    EXPECT_EQ(logged(), GetParam().log);
    EXPECT_EQ(drive_.get(kOldLog), GetParam().oldLog);
}

const std::string kOverRotation(UpdateLog::kRotationSize + 1, 'a');

INSTANTIATE_TEST_SUITE_P(
    Sequences, UpdateLogKeptOpenTest,
    ::testing::Values(
        KeptOpenCase{"AppendsEveryLineWithCrLf",
                     [](UpdateLog& l, const test::TempDrive& d) {
                         d.put(kLog, "earlier\r\n");
                         l.runStarted(false, "");
                         l.scriptRun("001.sql", {3, 0});
                         l.runFinished();
                     },
                     "earlier\r\n" + line("Atualização iniciada: tipo Terminal") +
                         line("Script 001.sql: 3 comandos executados, 0 com falha") + line("Atualização concluída"),
                     ""},
        KeptOpenCase{"ACheckAfterLinesStillRotatesAndStartsTheNewFile",
                     [](UpdateLog& l, const test::TempDrive& d) {
                         d.put(kLog, kOverRotation);
                         l.runFinished();
                         l.checkStarted(Protocol::Http, kServer, "1");
                         l.versionsOffered({});
                     },
                     line("Verificação de versões iniciada: protocolo HTTP, servidor atualiza.example:8080, versão "
                          "instalada 1") +
                         line("Versões oferecidas: nenhuma"),
                     kOverRotation + line("Atualização concluída")},
        KeptOpenCase{"ALineAfterClosingOpensTheFileAgain",
                     [](UpdateLog& l, const test::TempDrive&) {
                         l.programStarted("C:\\a.exe");
                         l.closeFile();
                         l.programStarted("C:\\b.exe");
                     },
                     line("Programa iniciado: C:\\a.exe") + line("Programa iniciado: C:\\b.exe"), ""},
        KeptOpenCase{"AFolderThatAppearsLaterTakesTheNextLines",
                     [](UpdateLog& l, const test::TempDrive& d) {
                         std::filesystem::remove_all(d.file("VELOR/TREVALMONTE/TEMP"));
                         l.runStarted(false, "");
                         d.put("VELOR/TREVALMONTE/TEMP/x", "");
                         l.runFinished();
                     },
                     line("Atualização concluída"), ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpdateLogTest, EachLineIsInTheFileWhileTheLogIsKeptOpen) {
    const UpdateLog::KeptOpen keptOpen(log_);
    log_.runStarted(false, "");
    EXPECT_EQ(logged(), line("Atualização iniciada: tipo Terminal"));
    log_.runFinished();
    EXPECT_EQ(logged(), line("Atualização iniciada: tipo Terminal") + line("Atualização concluída"));
}

TEST_F(UpdateLogTest, TheFileIsClosedWhenTheGuardEnds) {
    {
        const UpdateLog::KeptOpen keptOpen(log_);
        log_.runStarted(false, "");
    }
    // Still open, the next line would go to the removed file.
    std::filesystem::remove(drive_.file(kLog));
    log_.runFinished();
    EXPECT_EQ(logged(), line("Atualização concluída"));
}

TEST(UpdateLogUnwritable, RecordsNothingAndNeverRaises) {
    test::TempDrive drive;
    drive.put("VELOR/TREVALMONTE/TEMP", "a file where the folder should be");
    UpdateLog log;
    EXPECT_NO_THROW({
        log.checkStarted(Protocol::Http, kServer, "1");
        log.fetch("/a", "C:\\VELOR\\TREVALMONTE\\TEMP\\a", [] {});
        log.versionsOffered({"2"});
        log.runStarted(true, "db");
        log.backupMade({});
        log.scriptRun("s", {});
        log.statementFailed("s", {}, {});
        log.addOnRegistered("a", "b");
        log.programStarted("p");
        log.runFinished();
        log.stopped("e");
    });
    EXPECT_THROW(log.fetch("/a", "C:\\x", [] { throw SocketError(10061, "refused"); }), SocketError);
    EXPECT_EQ(drive.get("VELOR/TREVALMONTE/TEMP"), "a file where the folder should be");
}

TEST(UpdateLogUnwritable, AMissingTempFolderIsNotCreated) {
    test::TempDrive drive;
    UpdateLog().runFinished();
    EXPECT_FALSE(drive.has("VELOR/TREVALMONTE/TEMP"));
}

}  // namespace
}  // namespace trev
