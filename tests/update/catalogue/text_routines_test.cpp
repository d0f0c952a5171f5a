#include "update/text_routines.h"

#include "peers/temp_folder.h"
#include "platform/errors.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

TEST(StripVersionPunctuation, RemovesTheThirteenCharactersOnly) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"6.0.0.1", "6001"},
        {".-/\\|,[]()*_ ", ""},
        {"v6;0:0+1#A", "v6;0:0+1#A"},
        {" 6 - 1 ", "61"},
        {"\t6.1", "\t61"},
    };
    for (const Case& c : cases) EXPECT_EQ(StripVersionPunctuation(c.in), c.out) << c.in;
}

TEST(PadText, ModesAndWidths) {
    struct Case {
        std::string text, mode;
        size_t width;
        std::string out;
    } cases[] = {
        {"ab", "S", 5, "ab   "},
        {"12", "I", 5, "00012"},
        {"ab", "P", 5, "   ab"},
        {"", "C", 5, "----+"},
        {"ab", "C", 3, "ab+"},
        {"abcdef", "S", 5, "abcdef"},
        {"abcde", "I", 5, "abcde"},
        {"", "S", 0, ""},
        {"ab", "s", 5, "ab"},
        {"x", "S", 40, "x" + std::string(39, ' ')},
    };
    for (const Case& c : cases) EXPECT_EQ(PadText(c.text, c.mode, c.width), c.out) << c.mode << c.width;
}

class FindKeyedLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        setDriveRoot(drive_.path());
        peers::writeFile(drive_.file("VELOR/TREVALMONTE/CONFIG/MENU.CFG"),
                         "  Relatorio de vendas" + std::string(19, ' ') + "relat.exe\r\n" + std::string(40, 'K') +
                             "rest\r\n\x1a" "Depois\r\n");
    }
    peers::TempFolder drive_{"keyed"};
    const std::string path_ = "C:\\Velor\\TREVALMONTE\\CONFIG\\MENU.CFG";
};

TEST_F(FindKeyedLineTest, ComparesTrimmedColumnsOneToForty) {
    struct Case {
        std::string key;
        bool found;
    } cases[] = {
        {"Relatorio de vendas", true},
        {"relatorio de vendas", false},
        {"  Relatorio de vendas", false},
        {std::string(40, 'K'), true},
        {std::string(40, 'K') + "rest", false},
        {std::string(41, 'K'), false},
        {"Depois", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(FindKeyedLine(c.key, path_), c.found) << c.key;
}

TEST_F(FindKeyedLineTest, MissingFileIsFileNotFound) {
    try {
        FindKeyedLine("x", "C:\\Velor\\TREVALMONTE\\CONFIG\\NADA.CFG");
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
}

}  // namespace
}  // namespace trev
