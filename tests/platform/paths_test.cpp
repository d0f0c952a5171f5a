#include "platform/errors.h"
#include "platform/paths.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

struct MappingCase {
    const char* windowsPath;
    const char* expectedBelowRoot;
};

TEST(Paths, ComponentsMatchExistingEntriesWithoutRegardToCase) {
    test::TempDrive drive;
    drive.put("Velor/TREVALMONTE/TEMP/versao.cfg", "x");
    const MappingCase cases[] = {
        {"C:\\VELOR\\TREVALMONTE\\TEMP\\VERSAO.CFG", "/Velor/TREVALMONTE/TEMP/versao.cfg"},
        {"C:\\Velor\\Trevalmonte\\temp\\versao.cfg", "/Velor/TREVALMONTE/TEMP/versao.cfg"},
        {"c:/velor/trevalmonte/TEMP", "/Velor/TREVALMONTE/TEMP"},
        // Missing components keep the literal's spelling, also below a missing folder.
        {"C:\\VELOR\\TREVALMONTE\\CONFIG\\Proxy.cfg", "/Velor/TREVALMONTE/CONFIG/Proxy.cfg"},
        {"C:\\VELOR\\Novo\\Sub\\A.txt", "/Velor/Novo/Sub/A.txt"},
        // ".." climbs, but never above the drive.
        {"C:\\VELOR\\TREVALMONTE\\TEMP\\..\\temp\\versao.cfg", "/Velor/TREVALMONTE/TEMP/versao.cfg"},
        {"C:\\..\\..\\velor", "/Velor"},
        {"C:\\.\\velor\\\\TREVALMONTE\\", "/Velor/TREVALMONTE"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nativePath(c.windowsPath), drive.root().string() + c.expectedBelowRoot) << c.windowsPath;
}

TEST(Paths, AnExactMatchWinsOverAnotherCase) {
    test::TempDrive drive;
    drive.put("dir/File.txt", "a");
    drive.put("dir/FILE.TXT", "b");
    EXPECT_EQ(nativePath("C:\\dir\\FILE.TXT"), drive.root().string() + "/dir/FILE.TXT");
    EXPECT_EQ(nativePath("C:\\dir\\File.txt"), drive.root().string() + "/dir/File.txt");
}

TEST(Paths, NamesInTheCodePageBecomeUtf8) {
    test::TempDrive drive;
    drive.put("Configura\xC3\xA7\xC3\xA3o/a", "");
    EXPECT_EQ(nativePath("C:\\CONFIGURA\xE7\xE3O\\a"), drive.root().string() + "/Configura\xC3\xA7\xC3\xA3o/a");
}

TEST(Paths, RelativePathsKeepTheirClimbs) {
    EXPECT_EQ(nativePath(".."), "..");
    EXPECT_EQ(nativePath("..\\x"), "../x");
}

TEST(Paths, DatabaseNamesWithAServerPartPassUnchanged) {
    test::TempDrive drive;
    drive.put("Velor/TREVALMONTE/DB_TREVALMONTE.GDB", "");
    EXPECT_EQ(nativeDatabaseName("C:\\VELOR\\TREVALMONTE\\db_trevalmonte.gdb"),
              drive.root().string() + "/Velor/TREVALMONTE/DB_TREVALMONTE.GDB");
    EXPECT_EQ(nativeDatabaseName("server:C:\\x.gdb"), "server:C:\\x.gdb");
    EXPECT_EQ(nativeDatabaseName("10.0.0.1/3050:/data/x.gdb"), "10.0.0.1/3050:/data/x.gdb");
}

TEST(Paths, ForceDirectoriesReusesExistingFoldersOfAnyCase) {
    test::TempDrive drive;
    drive.put("velor/keep", "");
    forceDirectories("C:\\VELOR\\TREVALMONTE\\CONFIG");
    EXPECT_TRUE(drive.has("velor/TREVALMONTE/CONFIG"));
    EXPECT_TRUE(directoryExists("C:\\Velor\\Trevalmonte\\Config"));
    EXPECT_FALSE(fileExists("C:\\Velor\\Trevalmonte\\Config"));
}

TEST(Paths, ReplaceFileMovesOverAnExistingFileOfAnotherCase) {
    test::TempDrive drive;
    drive.put("cfg/proxy.CFG", "old");
    drive.put("cfg/new", "fresh");
    replaceFile("C:\\CFG\\NEW", "C:\\cfg\\Proxy.cfg");
    EXPECT_EQ(drive.get("cfg/proxy.CFG"), "fresh");
    EXPECT_FALSE(drive.has("cfg/new"));
    EXPECT_THROW(replaceFile("C:\\cfg\\missing", "C:\\cfg\\other"), FileError);
}

}  // namespace
}  // namespace trev
