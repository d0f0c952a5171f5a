#include "platform/errors.h"
#include "platform/paths.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

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
