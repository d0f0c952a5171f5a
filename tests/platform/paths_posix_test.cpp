#include "platform/errors.h"
#include "platform/file_stream.h"
#include "platform/paths.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/inotify.h>
#include <unistd.h>

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
        {"C:\\Velor\\TREVALMONTE\\TEMP\\VERSAO.CFG", "/Velor/TREVALMONTE/TEMP/versao.cfg"},
        {"C:\\Velor\\TREVALMONTE\\TEMP\\Novo.cfg", "/Velor/TREVALMONTE/TEMP/Novo.cfg"},
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

// Whatever changes a folder, this process or another, the next lookup sees it.
TEST(Paths, ChangesAreFoundInAnyCase) {
    test::TempDrive drive;
    drive.put("Velor/TEMP/versao.cfg", "x");
    const std::string temp = drive.root().string() + "/Velor/TEMP";
    ASSERT_EQ(nativePath("C:\\VELOR\\temp\\VERSAO.CFG"), temp + "/versao.cfg");

    forceDirectories("C:\\Velor\\TEMP\\V6a");
    FileStream("C:\\Velor\\TEMP\\Novo.cfg").close();
    drive.put("Velor/TEMP/Outro.cfg", "");
    EXPECT_EQ(nativePath("C:\\VELOR\\TEMP\\v6A\\dtversao.cfg"), temp + "/V6a/dtversao.cfg");
    EXPECT_EQ(nativePath("C:\\VELOR\\TEMP\\NOVO.CFG"), temp + "/Novo.cfg");
    EXPECT_EQ(nativePath("C:\\VELOR\\TEMP\\OUTRO.CFG"), temp + "/Outro.cfg");

    EXPECT_TRUE(deleteFile("C:\\velor\\temp\\novo.CFG"));
    FileStream("C:\\Velor\\TEMP\\NOVO.cfg").close();
    EXPECT_EQ(nativePath("C:\\Velor\\TEMP\\novo.CFG"), temp + "/NOVO.cfg");

    // A renamed folder takes its entries along; a new one of the old name starts empty.
    FileStream("C:\\Velor\\TEMP\\V6a\\Script.sql").close();
    replaceFile("C:\\VELOR\\TEMP\\V6A", "C:\\VELOR\\TEMP\\V6b");
    forceDirectories("C:\\Velor\\TEMP\\V6a");
    EXPECT_EQ(nativePath("C:\\VELOR\\TEMP\\V6B\\SCRIPT.SQL"), temp + "/V6b/Script.sql");
    EXPECT_EQ(nativePath("C:\\VELOR\\TEMP\\V6A\\SCRIPT.SQL"), temp + "/V6a/SCRIPT.SQL");
}

TEST(Paths, ForcedFoldersAreMadeBelowWhatExistsInAnyCase) {
    const struct {
        const char* forced;
        const char* madeBelowRoot;
    } cases[] = {
        {"C:\\VELOR\\temp\\V1\\Sub\\Deep", "Velor/TEMP/V1/Sub/Deep"},
        {"C:\\velor\\TEMP\\V2\\", "Velor/TEMP/V2"},
        {"C:\\Novo\\A", "Novo/A"},
        {"C:\\Velor\\TEMP", "Velor/TEMP"},
    };
    for (const auto& c : cases) {
        test::TempDrive drive;
        drive.put("Velor/TEMP/versao.cfg", "x");
        forceDirectories(c.forced);
        EXPECT_TRUE(std::filesystem::is_directory(drive.root() / c.madeBelowRoot)) << c.forced;
        EXPECT_TRUE(directoryExists(c.forced)) << c.forced;
    }
    test::TempDrive drive;
    drive.put("Velor/TEMP/versao.cfg", "x");
    EXPECT_THROW(forceDirectories("C:\\Velor\\TEMP\\VERSAO.CFG\\Sub"), FileError);
}

// How often the system lists the folder: each listing of a watched folder is one access event.
class FolderListings {
public:
    explicit FolderListings(const std::string& folder) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        ::inotify_add_watch(fd_, folder.c_str(), IN_ACCESS);
    }
    ~FolderListings() { ::close(fd_); }
    int count() {
        alignas(inotify_event) char buffer[65536];
        int listings = 0;
        for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;)
            for (char* at = buffer; at < buffer + n;) {
                auto* event = reinterpret_cast<inotify_event*>(at);
                if (event->len == 0 && (event->mask & IN_ACCESS)) ++listings;  // the folder itself, not an entry
                at += sizeof(inotify_event) + event->len;
            }
        return listings;
    }

private:
    int fd_;
};

// So the version check costs the same for each new version: a folder of many
// versions is read once, not once per version.
TEST(Paths, NewFoldersDoNotMakeTheirFolderBeReadAgain) {
    test::TempDrive drive;
    drive.put("Velor/TREVALMONTE/Temp/versao.cfg", "x");
    FolderListings temp(drive.root().string() + "/Velor/TREVALMONTE/Temp");
    for (int v = 0; v < 200; ++v) {
        const std::string folder = "C:\\Velor\\TREVALMONTE\\TEMP\\" + std::to_string(6000 + v) + "a";
        forceDirectories(folder);
        FileStream(folder + "\\dtversao.cfg").close();
        ASSERT_TRUE(fileExists(folder + "\\DTVERSAO.CFG"));
    }
    EXPECT_LE(temp.count(), 1);
    EXPECT_TRUE(drive.has("Velor/TREVALMONTE/Temp/6199a/dtversao.cfg"));
}

// Nor do the files this process writes into a folder it made.
TEST(Paths, WrittenFilesDoNotMakeTheirFolderBeReadAgain) {
    test::TempDrive drive;
    forceDirectories("C:\\Velor\\TEMP\\6000a");
    FolderListings version(drive.root().string() + "/Velor/TEMP/6000a");
    int listings = 0;  // counted after each step: the system merges repeated events
    for (const char* name : {"dtversao.cfg", "descricao.cfg", "script.sql"}) {
        FileStream(std::string("C:\\Velor\\TEMP\\6000a\\") + name).close();
        listings += version.count();
    }
    EXPECT_TRUE(fileExists("C:\\VELOR\\TEMP\\6000A\\DESCRICAO.CFG"));
    EXPECT_TRUE(fileExists("C:\\VELOR\\TEMP\\6000A\\DTVERSAO.CFG"));
    EXPECT_EQ(listings + version.count(), 0);
    drive.put("Velor/TEMP/6000a/Outro.sql", "");  // another writer: read once to be found
    EXPECT_TRUE(fileExists("C:\\VELOR\\TEMP\\6000A\\OUTRO.SQL"));
    EXPECT_EQ(version.count(), 1);
}

}  // namespace
}  // namespace trev
