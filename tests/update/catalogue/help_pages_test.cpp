#include "update/help_pages.h"

#include "peers/temp_folder.h"
#include "platform/errors.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

class HelpPageFile : public ::testing::Test {
protected:
    void SetUp() override { setDriveRoot(drive_.path()); }
    peers::TempFolder drive_{"help"};
};

TEST_F(HelpPageFile, MissingTempFolderIsAnError) { EXPECT_THROW(WriteHelpPage(HelpPage::Versions), FileError); }

TEST_F(HelpPageFile, SecondPageReplacesTheFirst) {
    peers::writeFile(drive_.file("VELOR/TREVALMONTE/TEMP/keep"), "");
    WriteHelpPage(HelpPage::Versions);
    WriteHelpPage(HelpPage::AddOns);
    std::string bytes = peers::readFile(drive_.file("VELOR/TREVALMONTE/TEMP/AJU001.HTML"));
    EXPECT_EQ(bytes.find("Na lista"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 9), "</html>\r\n");
}

}  // namespace
}  // namespace trev
