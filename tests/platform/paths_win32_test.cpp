#include "platform/errors.h"
#include "platform/paths.h"
#include "platform/text_file.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace trev {
namespace {

TEST(Paths, LiteralsStandAsTheyAre) {
    EXPECT_EQ(nativePath("C:\\VELOR\\TREVALMONTE\\TEMP\\versao.cfg"), "C:\\VELOR\\TREVALMONTE\\TEMP\\versao.cfg");
    EXPECT_EQ(nativePath("C:\\CONFIGURA\xE7\xC3O\\a"), "C:\\CONFIGURA\xC3\xA7\xC3\x83O\\a");
    EXPECT_EQ(nativeDatabaseName("C:\\VELOR\\TREVALMONTE\\DB_TREVALMONTE.GDB"),
              "C:\\VELOR\\TREVALMONTE\\DB_TREVALMONTE.GDB");
    EXPECT_EQ(nativeDatabaseName("server:C:\\x.gdb"), "server:C:\\x.gdb");
}

struct MappingCase {
    const char* windowsPath;
    const char* expectedBelowRoot;
};

TEST(Paths, BelowATestsDriveRootAPathClimbsNoHigherThanTheRoot) {
    test::TempDrive drive;
    const MappingCase cases[] = {
        {"C:\\VELOR\\TREVALMONTE\\TEMP\\versao.cfg", "\\VELOR\\TREVALMONTE\\TEMP\\versao.cfg"},
        {"c:/velor/trevalmonte", "\\velor\\trevalmonte"},
        {"C:\\VELOR\\TEMP\\..\\temp\\a.txt", "\\VELOR\\temp\\a.txt"},
        {"C:\\..\\..\\velor", "\\velor"},
        {"C:\\.\\velor\\\\TREVALMONTE", "\\velor\\TREVALMONTE"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nativePath(c.windowsPath), drive.root().string() + c.expectedBelowRoot) << c.windowsPath;
    EXPECT_EQ(nativeDatabaseName("10.0.0.1/3050:C:\\x.gdb"), "10.0.0.1/3050:C:\\x.gdb");
}

TEST(Paths, NamesOfAnyCaseAndOfTheCodePage) {
    test::TempDrive drive;
    drive.put("Velor/TREVALMONTE/TEMP/versao.cfg", "x");
    EXPECT_TRUE(fileExists("C:\\VELOR\\trevalmonte\\temp\\VERSAO.CFG"));
    EXPECT_TRUE(directoryExists("C:\\velor"));
    EXPECT_FALSE(fileExists("C:\\velor"));
    EXPECT_FALSE(directoryExists("C:\\velor\\trevalmonte\\temp\\versao.cfg"));

    forceDirectories("C:\\VELOR\\Configura\xE7\xE3o\\Sub");
    TextWriter writer("C:\\VELOR\\Configura\xE7\xE3o\\Sub\\Relat\xF3rio.txt");
    writer.writeLine("ok");
    writer.close();
    const std::filesystem::path written = drive.root() / L"VELOR" / L"Configura\u00e7\u00e3o" / L"Sub" / L"Relat\u00f3rio.txt";
    EXPECT_TRUE(std::filesystem::is_regular_file(written));
    EXPECT_TRUE(fileExists("C:\\velor\\CONFIGURA\xC7\xC3O\\sub\\RELAT\xD3RIO.TXT"));
}

TEST(Paths, FailuresCarryTheSystemsNumbers) {
    test::TempDrive drive;
    drive.put("cfg/present", "");
    const struct {
        const char* from;
        int code;
        const char* message;
    } cases[] = {
        {"C:\\cfg\\missing", 2, "File not found"},
        {"C:\\nofolder\\missing", 3, "Invalid filename"},
    };
    for (const auto& c : cases) {
        try {
            replaceFile(c.from, "C:\\cfg\\other");
            ADD_FAILURE() << c.from << " replaced";
        } catch (const FileError& e) {
            EXPECT_EQ(e.code(), c.code) << c.from;
            EXPECT_EQ(std::string(e.what()), c.message) << c.from;
        }
    }
    EXPECT_THROW(forceDirectories("C:\\cfg\\present\\below"), FileError);
    EXPECT_TRUE(deleteFile("C:\\CFG\\PRESENT"));
    EXPECT_FALSE(deleteFile("C:\\CFG\\PRESENT"));
}

// Past MAX_PATH the file calls take the \\?\ form; the callers see no difference.
TEST(Paths, PathsLongerThanMaxPathWork) {
    test::TempDrive drive;
    std::string folder = "C:\\VELOR";
    while (folder.size() < 300) folder += "\\" + std::string(40, 'p');
    const std::string file = folder + "\\arquivo.txt";
    forceDirectories(folder);
    EXPECT_TRUE(directoryExists(folder));
    TextWriter writer(file);
    writer.writeLine("longe");
    writer.close();
    EXPECT_TRUE(fileExists(file));
    EXPECT_EQ(readFirstLine(file), "longe");
    replaceFile(file, file + ".novo");
    EXPECT_TRUE(deleteFile(file + ".novo"));
    EXPECT_FALSE(fileExists(file + ".novo"));
}

// A path past what the system takes is a file error, never an out-of-range crash.
// (Wine makes a path of any length full, so only the folder call is sure to fail.)
TEST(Paths, APathTheSystemCannotTakeIsAFileError) {
    test::TempDrive drive;
    const std::string tooLong = "C:\\" + std::string(40000, 'a');
    EXPECT_THROW(forceDirectories(tooLong), FileError);
}

}  // namespace
}  // namespace trev
