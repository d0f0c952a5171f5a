#include "platform/errors.h"
#include "platform/file_stream.h"
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

// A folder searched once is known from memory afterwards; what this process
// creates, deletes and renames keeps that knowledge true.
TEST(Paths, WhatThisProcessChangesIsFoundInAnyCase) {
    test::TempDrive drive;
    drive.put("Velor/TEMP/versao.cfg", "x");
    const std::string temp = drive.root().string() + "/Velor/TEMP";
    ASSERT_EQ(nativePath("C:\\VELOR\\temp\\VERSAO.CFG"), temp + "/versao.cfg");

    forceDirectories("C:\\Velor\\TEMP\\V6a");
    FileStream("C:\\Velor\\TEMP\\Novo.cfg").close();
    EXPECT_EQ(nativePath("C:\\VELOR\\TEMP\\v6A\\dtversao.cfg"), temp + "/V6a/dtversao.cfg");
    EXPECT_TRUE(fileExists("C:\\VELOR\\TEMP\\NOVO.CFG"));

    EXPECT_TRUE(deleteFile("C:\\velor\\temp\\novo.CFG"));
    EXPECT_FALSE(drive.has("Velor/TEMP/Novo.cfg"));
    FileStream("C:\\Velor\\TEMP\\NOVO.cfg").close();
    EXPECT_TRUE(drive.has("Velor/TEMP/NOVO.cfg"));
    EXPECT_EQ(nativePath("C:\\Velor\\TEMP\\novo.CFG"), temp + "/NOVO.cfg");

    // A renamed folder takes its entries along; a new one of the old name starts empty.
    FileStream("C:\\Velor\\TEMP\\V6a\\Script.sql").close();
    replaceFile("C:\\VELOR\\TEMP\\V6A", "C:\\VELOR\\TEMP\\V6b");
    forceDirectories("C:\\Velor\\TEMP\\V6a");
    EXPECT_EQ(nativePath("C:\\VELOR\\TEMP\\V6B\\SCRIPT.SQL"), temp + "/V6b/Script.sql");
    EXPECT_EQ(nativePath("C:\\VELOR\\TEMP\\V6A\\SCRIPT.SQL"), temp + "/V6a/SCRIPT.SQL");
}

// So a folder of many versions costs one read, not one per new version. Entries
// other programs add later are not seen in another case (Windows' own rule is
// kept for what this process does).
TEST(Paths, AFolderIsReadOnceThenKnownFromMemory) {
    test::TempDrive drive;
    drive.put("TEMP/a", "");
    EXPECT_EQ(nativePath("C:\\temp\\A"), drive.root().string() + "/TEMP/a");
    drive.put("TEMP/Outro.cfg", "");
    EXPECT_EQ(nativePath("C:\\temp\\OUTRO.CFG"), drive.root().string() + "/TEMP/OUTRO.CFG");
    EXPECT_TRUE(fileExists("C:\\temp\\Outro.cfg"));  // the literal spelling is always tried
    setDriveRoot(drive.root().string());  // a drive set anew is read anew
    EXPECT_EQ(nativePath("C:\\temp\\OUTRO.CFG"), drive.root().string() + "/TEMP/Outro.cfg");
}

}  // namespace
}  // namespace trev
