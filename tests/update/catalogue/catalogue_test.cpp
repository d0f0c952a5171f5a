#include "update/catalogue.h"

#include "peers/temp_folder.h"
#include "platform/errors.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

namespace trev {
namespace {

std::string spaces(size_t n) { return std::string(n, ' '); }

// A field of the given width: the text then blanks.
std::string field(const std::string& text, size_t width) { return text + spaces(width - text.size()); }

struct AddOnCase {
    const char* title;
    std::string line;
    AddOnEntry expected;
};

TEST(AddOnCatalogue, ColumnsOfLinesOfEveryLength) {
    const std::string full = field("  relat.exe", 30) + field(" Relatorio", 30) + field("01/02/2014", 10) +
                             field("Novo relatorio de vendas", 50);
    const AddOnCase cases[] = {
        {"empty line", "", {"", "", "", ""}},
        {"60 characters", field("relat.exe", 30) + field("Relatorio", 30), {"Relatorio", "", "", "relat.exe"}},
        {"120 characters", full, {"Relatorio", "01/02/2014", "Novo relatorio de vendas", "relat.exe"}},
        {"150 characters, the tail ignored", full + field("IGNORADO", 30),
         {"Relatorio", "01/02/2014", "Novo relatorio de vendas", "relat.exe"}},
        {"description cut short", field("a.exe", 30) + field("A", 30) + "01/02/2014" + "  curta",
         {"A", "01/02/2014", "curta", "a.exe"}},
    };
    for (const AddOnCase& c : cases) {
        SCOPED_TRACE(c.title);
        AddOnEntry entry = parseAddOnLine(c.line);
        EXPECT_EQ(entry.name, c.expected.name);
        EXPECT_EQ(entry.date, c.expected.date);
        EXPECT_EQ(entry.description, c.expected.description);
        EXPECT_EQ(entry.exeName, c.expected.exeName);
    }
}

TEST(VersionDescription, LabelTrimmedDescriptionAsRead) {
    struct Case {
        std::string line, label, description;
    } cases[] = {
        {"", "", ""},
        {" 6.0.1 ", "6.0.1", ""},
        {"6.0.1     ", "6.0.1", ""},
        {"  6.0.1   Corrige o caixa  ", "6.0.1", "Corrige o caixa  "},
        {"6.0.1     " + std::string(60, 'x') + "TAIL", "6.0.1", std::string(60, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        VersionDescription d = parseVersionDescription(c.line);
        EXPECT_EQ(d.label, c.label);
        EXPECT_EQ(d.description, c.description);
    }
}

TEST(VersionListing, OffersWhatComesAfterTheInstalledVersion) {
    struct Case {
        const char* title;
        std::vector<std::string> list;
        std::string installed;
        std::vector<std::string> offered;
    } cases[] = {
        {"in the middle", {"5001", "6001", "6002", "6003"}, "6001", {"6002", "6003"}},
        {"last", {"5001", "6001"}, "6001", {}},
        {"first", {"6001", "6002"}, "6001", {"6002"}},
        {"absent: everything", {"5001", "6002"}, "6001", {"5001", "6002"}},
        {"twice: after the first", {"6001", "6002", "6001", "6003"}, "6001", {"6002", "6001", "6003"}},
        {"trailing blank never matches", {"6001 ", "6002"}, "6001", {"6001 ", "6002"}},
        {"punctuated line never matches", {"6.0.0.1", "6002"}, "6001", {"6.0.0.1", "6002"}},
        {"empty installed, no empty line", {"6001", "6002"}, "", {"6001", "6002"}},
        {"empty installed, empty line", {"6001", "", "6002"}, "", {"6002"}},
        {"empty list", {}, "6001", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        bool listed = std::find(c.list.begin(), c.list.end(), c.installed) != c.list.end();
        VersionListing listing(c.installed, listed);
        std::vector<std::string> offered;
        for (const std::string& line : c.list)
            if (listing.offer(line)) offered.push_back(line);
        EXPECT_EQ(offered, c.offered);
    }
}

class CatalogueFiles : public ::testing::Test {
protected:
    void SetUp() override { setDriveRoot(drive_.path()); }
    void write(const std::string& relative, const std::string& bytes) { peers::writeFile(drive_.file("VELOR/TREVALMONTE/" + relative), bytes); }

    peers::TempFolder drive_{"catalogue"};
};

TEST_F(CatalogueFiles, InstalledVersionLosesItsPunctuation) {
    struct Case {
        std::string bytes, installed;
    } cases[] = {
        {"6.0.0.1\r\n", "6001"},
        {"6.0.0.1", "6001"},
        {"[6-0] (0_1)\r\n6.0.0.2\r\n", "6001"},
        {"", ""},
        {"\x1a" "6.0.0.1\r\n", ""},
        {"6.0\x1a.0.1\r\n", "60"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        write("TXT/trev_versao.txt", c.bytes);
        EXPECT_EQ(readInstalledVersion("C:\\Velor\\TREVALMONTE\\TXT\\trev_versao.txt"), c.installed);
    }
}

TEST_F(CatalogueFiles, MissingInstalledVersionFileIsFileNotFound) {
    write("TXT/other.txt", "");
    try {
        readInstalledVersion("C:\\Velor\\TREVALMONTE\\TXT\\trev_versao.txt");
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
}

TEST_F(CatalogueFiles, VersionListSearchIsExactAndStopsAtCtrlZ) {
    const std::string path = "C:\\Velor\\TREVALMONTE\\TEMP\\versao.cfg";
    struct Case {
        std::string bytes, installed;
        bool found;
    } cases[] = {
        {"5001\r\n6001\r\n6002\r\n", "6001", true},
        {"5001\n6001", "6001", true},
        {"6001 \r\n", "6001", false},
        {"6.0.0.1\r\n", "6001", false},
        {"5001\r\n\x1a" "6001\r\n", "6001", false},
        {"", "", false},
        {"5001\r\n\r\n", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        write("TEMP/versao.cfg", c.bytes);
        EXPECT_EQ(versionListContains(path, c.installed), c.found);
    }
}

TEST_F(CatalogueFiles, EveryCatalogueLineIsARowUpToCtrlZ) {
    const std::string path = "C:\\Velor\\TREVALMONTE\\TEMP\\descricaoAD.cfg";
    const std::string line = field("a.exe", 30) + field("A", 30);
    struct Case {
        std::string bytes;
        size_t rows;
    } cases[] = {
        {"", 0},
        {line, 1},
        {line + "\r\n", 1},
        {line + "\r\n\r\n" + line + "\r\n", 3},
        {line + "\r\n\x1a" + line + "\r\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        write("TEMP/descricaoAD.cfg", c.bytes);
        std::vector<AddOnEntry> entries = readAddOnCatalogue(path);
        ASSERT_EQ(entries.size(), c.rows);
        if (c.rows) {
            EXPECT_EQ(entries.front().exeName, "a.exe");
        }
    }
}

}  // namespace
}  // namespace trev
