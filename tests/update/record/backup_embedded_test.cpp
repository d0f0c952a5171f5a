// Backups of databases that the embedded engine opens by a bare path.
#include "backup_test_support.h"
#include "peers/temp_folder.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "update/database_backup.h"
#include "update/web_update_database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace trev {
namespace {

using Names = std::vector<std::string>;

const LocalTime kTime{2025, 3, 7, 9, 5, 2};
const std::string kBackup = "DB_TREVALMONTE_20250307_090502.FBK";

class EmbeddedBackupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { peers::FirebirdEmbedded::instance(); }
    void TearDown() override { setDriveRoot(""); }

    // A data folder holding a filled DB_TREVALMONTE.GDB.
    std::string filledFolder(const std::string& name) {
        const std::string folder = peers::FirebirdEmbedded::instance().newFolder(name);
        backuptest::createFilledDatabase(folder + "/DB_TREVALMONTE.GDB");
        return folder;
    }

    static void open(WebUpdateDatabase& database, const std::string& name) {
        database.Conexao.DatabaseName = name;
        database.Conexao.Open();
    }
};

struct FormCase {
    const char* name;
    bool driveLetter;
};

void PrintTo(const FormCase& c, std::ostream* out) { *out << c.name; }

class EmbeddedBackupFormTest : public EmbeddedBackupTest, public ::testing::WithParamInterface<FormCase> {};

TEST_P(EmbeddedBackupFormTest, BackupBesideTheDatabaseRestoresToAnEqualDatabase) {
    std::string folder;
    std::string name;
    if (GetParam().driveLetter) {
        const std::string drive = peers::FirebirdEmbedded::instance().newFolder("drive");
        folder = drive + "/Velor/TREVALMONTE";
        std::filesystem::create_directories(folder);
        backuptest::createFilledDatabase(folder + "/DB_TREVALMONTE.GDB");
        setDriveRoot(drive);
        name = "C:\\VELOR\\TREVALMONTE\\DB_TREVALMONTE.GDB";
    } else {
        folder = filledFolder("native");
        name = folder + "/DB_TREVALMONTE.GDB";
    }
    const std::string database = folder + "/DB_TREVALMONTE.GDB";
    BackupRecord record;
    {
        WebUpdateDatabase session;
        open(session, name);
        record = backupDatabase(session.Conexao, kTime);
    }
    EXPECT_TRUE(std::filesystem::equivalent(record.file, folder + "/" + kBackup)) << record.file;
    EXPECT_TRUE(std::filesystem::equivalent(nativeDatabaseName(name), database));
    EXPECT_GT(record.size, 0);
    EXPECT_EQ(record.size, static_cast<int64_t>(std::filesystem::file_size(record.file)));
    EXPECT_GE(record.seconds, 0.0);
    EXPECT_EQ(record.restoreCommand, restoreCommand(record.file, nativeDatabaseName(name), "SYSDBA"));

    const peers::IsqlResult restored = backuptest::restore(record.file, folder + "/restored.fdb");
    ASSERT_EQ(restored.exitCode, 0) << restored.output;
    const Names before = backuptest::contents(database);
    EXPECT_EQ(backuptest::contents(folder + "/restored.fdb"), before);
    EXPECT_NE(std::find(before.begin(), before.end(), "PEDIDOS"), before.end());
}

INSTANTIATE_TEST_SUITE_P(Names, EmbeddedBackupFormTest,
                         ::testing::Values(FormCase{"NativePath", false}, FormCase{"DriveLetterPath", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EmbeddedBackupTest, KeepsTheThreeNewestBackupsAfterASuccessfulOne) {
    const std::string folder = filledFolder("retention");
    for (const char* old : {"DB_TREVALMONTE_20240101_000000.FBK", "DB_TREVALMONTE_20250101_000000.FBK",
                            "DB_TREVALMONTE_20250301_000000.FBK", "notas.txt"})
        peers::writeFile(folder + "/" + old, "old");
    WebUpdateDatabase session;
    open(session, folder + "/DB_TREVALMONTE.GDB");
    backupDatabase(session.Conexao, kTime);
    EXPECT_EQ(backuptest::backupsIn(folder),
              (Names{"DB_TREVALMONTE_20250101_000000.FBK", "DB_TREVALMONTE_20250301_000000.FBK", kBackup}));
    EXPECT_TRUE(std::filesystem::exists(folder + "/notas.txt"));
}

struct FailureCase {
    const char* name;
    bool readOnlyFolder;
    const char* databaseFile;
    const char* reason;  // UTF-8
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class EmbeddedBackupFailureTest : public EmbeddedBackupTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(EmbeddedBackupFailureTest, RaisesTheReasonAndLeavesTheFolderAsItWas) {
    const std::string folder = filledFolder("failure");
    const Names old{"DB_TREVALMONTE_20230101_000000.FBK", "DB_TREVALMONTE_20240101_000000.FBK",
                    "DB_TREVALMONTE_20250101_000000.FBK", "DB_TREVALMONTE_20250201_000000.FBK"};
    for (const std::string& name : old) peers::writeFile(folder + "/" + name, "old");
    std::optional<backuptest::UnwritableFolder> readOnly;
    if (GetParam().readOnlyFolder) {
        readOnly.emplace(folder);
        if (!readOnly->holds()) GTEST_SKIP() << "no folder can be made unwritable here";
    }
    WebUpdateDatabase session;
    session.Conexao.DatabaseName = folder + "/" + GetParam().databaseFile;
    try {
        backupDatabase(session.Conexao, kTime);
        FAIL() << "backed up";
    } catch (const DatabaseBackupError& error) {
        const std::string expected =
            utf8ToCp1252("Não foi possível copiar o banco de dados para \"" + folder + "/" + kBackup + "\" (" +
                         GetParam().reason + "); a atualização não alterou nada.\r\n");
        EXPECT_EQ(std::string(error.what()).substr(0, expected.size()), expected);
        EXPECT_GT(std::string(error.what()).size(), expected.size());
        EXPECT_NE(error.ibErrorCode(), 0);
    }
    EXPECT_EQ(backuptest::backupsIn(folder), old);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, EmbeddedBackupFailureTest,
    ::testing::Values(FailureCase{"ReadOnlyDataFolder", true, "DB_TREVALMONTE.GDB",
                                  "a pasta do banco de dados não existe ou não permite gravação"},
                      FailureCase{"MissingDatabase", false, "NADA.GDB", "o banco de dados não pôde ser aberto"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trev
