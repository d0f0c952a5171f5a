#include "platform/paths.h"
#include "protocols/db/db_location.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

struct LocationCase {
    const char* name;
    const char* databaseName;
    DatabaseLocation expected;
    bool belowDriveRoot = false;  // the server path and folder are Windows paths mapped below the drive root
};

class DatabaseLocationTest : public ::testing::TestWithParam<LocationCase> {
protected:
    void SetUp() override { setDriveRoot("/nowhere/drive_c"); }
    void TearDown() override { setDriveRoot(""); }
};

// A drive-letter name is the file below the drive root, in the form this side's paths give it.
DatabaseLocation expectedFor(const LocationCase& c) {
    DatabaseLocation expected = c.expected;
    if (c.belowDriveRoot) {
        expected.serverPath = nativePath(expected.serverPath);
        expected.serverFolder = expected.serverPath.substr(0, expected.serverPath.find_last_of("/\\") + 1);
    }
    return expected;
}

TEST_P(DatabaseLocationTest, NamesTheSameServersServiceManagerAndTheDataFolder) {
    const DatabaseLocation found = locateDatabase(GetParam().databaseName);
    const DatabaseLocation expected = expectedFor(GetParam());
    EXPECT_EQ(found.serviceName, expected.serviceName);
    EXPECT_EQ(found.serverPath, expected.serverPath);
    EXPECT_EQ(found.serverFolder, expected.serverFolder);
    EXPECT_EQ(found.folder, expected.folder);
    EXPECT_EQ(found.local, expected.local);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DatabaseLocationTest,
    ::testing::Values(
        LocationCase{"DriveLetterPathIsMapped",
                     "C:\\Velor\\TREVALMONTE\\DB_TREVALMONTE.GDB",
                     {"service_mgr", "C:\\Velor\\TREVALMONTE\\DB_TREVALMONTE.GDB", "C:\\Velor\\TREVALMONTE\\",
                      "C:\\Velor\\TREVALMONTE\\", true},
                     true},
        LocationCase{"AbsolutePath", "/srv/dados/DB.GDB",
                     {"service_mgr", "/srv/dados/DB.GDB", "/srv/dados/", "/srv/dados/", true}},
        LocationCase{"RelativeFileHasNoFolder", "DB.GDB", {"service_mgr", "DB.GDB", "", "", true}},
        LocationCase{"HostPortWithDrivePathOfTheServer",
                     "127.0.0.1/3050:C:\\Velor\\TREVALMONTE\\DB.GDB",
                     {"127.0.0.1/3050:service_mgr", "C:\\Velor\\TREVALMONTE\\DB.GDB", "C:\\Velor\\TREVALMONTE\\",
                      "C:\\Velor\\TREVALMONTE\\", false}},
        LocationCase{"HostAlone", "servidor:/dados/DB.GDB",
                     {"servidor:service_mgr", "/dados/DB.GDB", "/dados/", "/dados/", false}},
        LocationCase{"BracketedIpv6Host", "[::1]/3050:/dados/DB.GDB",
                     {"[::1]/3050:service_mgr", "/dados/DB.GDB", "/dados/", "/dados/", false}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trev
