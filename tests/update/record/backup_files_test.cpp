// The backups' names, retention and restore command, without a database.
#include "support/temp_drive.h"
#include "update/database_backup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace trev {
namespace {

using Names = std::vector<std::string>;

TEST(BackupFiles, NameCarriesTheLocalTime) {
    EXPECT_EQ(backupFileName({2025, 3, 7, 9, 5, 2}), "DB_TREVALMONTE_20250307_090502.FBK");
    EXPECT_EQ(backupFileName({2024, 12, 31, 23, 59, 59}), "DB_TREVALMONTE_20241231_235959.FBK");
}

TEST(BackupFiles, RestoreCommandQuotesBothPathsAndLeavesThePasswordOut) {
    EXPECT_EQ(restoreCommand("C:\\Dados\\B.FBK", "127.0.0.1/3050:C:\\Dados\\DB.GDB", "SYSDBA"),
              "gbak -c -user SYSDBA -password SENHA \"C:\\Dados\\B.FBK\" \"127.0.0.1/3050:C:\\Dados\\DB.GDB\"");
}

struct RetentionCase {
    const char* name;
    Names present;
    Names kept;
};

class RetentionTest : public ::testing::TestWithParam<RetentionCase> {};

TEST_P(RetentionTest, KeepsTheThreeNewestOfTheNamePatternAndEverythingElse) {
    test::TempDrive drive;
    for (const std::string& name : GetParam().present) drive.put("Dados/" + name, "x");
    keepNewestBackups("C:\\Dados\\", kBackupsKept);
    Names kept;
    for (const auto& entry : std::filesystem::directory_iterator(drive.root() / "Dados"))
        kept.push_back(entry.path().filename().string());
    std::sort(kept.begin(), kept.end());
    Names expected = GetParam().kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(kept, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, RetentionTest,
    ::testing::Values(
        RetentionCase{"FewerThanThreeStay",
                      {"DB_TREVALMONTE_20250101_000000.FBK", "DB_TREVALMONTE_20250102_000000.FBK"},
                      {"DB_TREVALMONTE_20250101_000000.FBK", "DB_TREVALMONTE_20250102_000000.FBK"}},
        RetentionCase{"OldestGoByTheTimeInTheName",
                      {"DB_TREVALMONTE_20241231_235959.FBK", "DB_TREVALMONTE_20250101_000000.FBK",
                       "db_trevalmonte_20250101_000001.fbk", "DB_TREVALMONTE_20240101_120000.FBK",
                       "DB_TREVALMONTE_20250102_000000.FBK"},
                      {"DB_TREVALMONTE_20250101_000000.FBK", "db_trevalmonte_20250101_000001.fbk",
                       "DB_TREVALMONTE_20250102_000000.FBK"}},
        RetentionCase{"OtherFilesAreNeverTouched",
                      {"DB_TREVALMONTE.GDB", "DB_TREVALMONTE_20250101_000000.FBK.part", "DB_TREVALMONTE_2025_01.FBK",
                       "DB_TREVALMONTE_2025010x_000000.FBK", "XDB_TREVALMONTE_20200101_000000.FBK",
                       "DB_TREVALMONTE_20200101_000000.FBK", "DB_TREVALMONTE_20210101_000000.FBK",
                       "DB_TREVALMONTE_20220101_000000.FBK", "DB_TREVALMONTE_20230101_000000.FBK"},
                      {"DB_TREVALMONTE.GDB", "DB_TREVALMONTE_20250101_000000.FBK.part", "DB_TREVALMONTE_2025_01.FBK",
                       "DB_TREVALMONTE_2025010x_000000.FBK", "XDB_TREVALMONTE_20200101_000000.FBK",
                       "DB_TREVALMONTE_20210101_000000.FBK", "DB_TREVALMONTE_20220101_000000.FBK",
                       "DB_TREVALMONTE_20230101_000000.FBK"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BackupFiles, AMissingFolderIsNoError) {
    test::TempDrive drive;
    EXPECT_NO_THROW(keepNewestBackups("C:\\Nada\\", kBackupsKept));
}

}  // namespace
}  // namespace trev
