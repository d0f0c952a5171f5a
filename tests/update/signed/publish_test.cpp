// The publisher's tree read by the updater's own catalogue code, and each refusal
// leaving the tree as it was.
#include "peers/temp_folder.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "publish/signing.h"
#include "publish/tree_edits.h"
#include "publish/tree_files.h"
#include "update/catalogue.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace trev::publish {
namespace {

namespace fs = std::filesystem;

class Publisher : public ::testing::Test {
protected:
    void SetUp() override {
        setDriveRoot(folder_.path());
        peers::writeFile(folder_.file("in/a.sql"), "CREATE TABLE A (X INTEGER);\r\nINSERT INTO A VALUES (1);\r\n");
        peers::writeFile(folder_.file("in/empty.sql"), "-- nothing ends here\r\n");
        peers::writeFile(folder_.file("in/prog.exe"), "program");
        // Windows cannot hold a file of a device's name; the publisher refuses it by name alone.
        try {
            peers::writeFile(folder_.file("in/CON"), "device");
        } catch (const std::exception&) {
        }
    }
    void TearDown() override { setDriveRoot(""); }

    fs::path tree() const { return folder_.file("tree"); }
    fs::path input(const std::string& name) const { return folder_.file("in/" + name); }
    VersionToPublish version(const std::string& number, const std::string& label) const {
        return {number, label, "05/03/2026", "Correções de notas", {input("a.sql")}};
    }
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        for (const std::string& path : filesBelow(tree())) files[path] = readWhole(tree() / path);
        return files;
    }

    peers::TempFolder folder_{"publish"};
};

TEST_F(Publisher, TheUpdaterReadsWhatThePublisherWrote) {
    publishVersion(tree(), version("6002", "6.0.0.2"));
    publishVersion(tree(), version("6010", "6.0.1.0"));
    publishAddOn(tree(), {input("prog.exe"), "Relatórios", "01/04/2026", "Relatórios fiscais"});
    publishAddOn(tree(), {input("prog.exe"), "Relatórios 2", "", ""});
    const std::string base = "C:\\tree\\";
    EXPECT_TRUE(versionListContains(base + "versao\\versao.cfg", "6010"));
    EXPECT_EQ(readFirstLine(base + "versao\\6002\\dtversao.cfg"), "05/03/2026");
    const VersionDescription text = parseVersionDescription(readFirstLine(base + "versao\\6010\\descricao.cfg"));
    EXPECT_EQ(text.label, "6.0.1.0");
    EXPECT_EQ(cp1252ToUtf8(text.description), "Correções de notas" + std::string(42, ' '));
    const std::vector<AddOnEntry> addOns = readAddOnCatalogue(base + "adicionais\\descricao.cfg");
    ASSERT_EQ(addOns.size(), 1u);
    EXPECT_EQ(cp1252ToUtf8(addOns[0].name), "Relatórios 2");
    EXPECT_EQ(addOns[0].exeName, "prog.exe");
    EXPECT_EQ(readWhole(tree() / "versao/6002/lista.txt"), "a.sql\r\n");
}

TEST_F(Publisher, ARefusalLeavesTheTreeUnchanged) {
    generateKeys(folder_.file("key"), false);
    publishVersion(tree(), version("6002", "6.0.0.2"));
    signTree(tree(), folder_.file("key"), 30, 0);
    const struct {
        const char* name;
        std::function<void()> edit;
    } cases[] = {
        {"number not above the last", [&] { publishVersion(tree(), version("6001", "6.0.0.1")); }},
        {"number already there", [&] { publishVersion(tree(), version("6002", "6.0.0.2")); }},
        {"label of another number", [&] { publishVersion(tree(), version("6003", "6.0.0.4")); }},
        {"text outside Windows-1252",
         [&] { publishVersion(tree(), {"6003", "6.0.0.3", "05/03/2026", "€ ok, ✓ not", {input("a.sql")}}); }},
        {"no complete statement",
         [&] { publishVersion(tree(), {"6003", "6.0.0.3", "05/03/2026", "", {input("a.sql"), input("empty.sql")}}); }},
        {"unsafe script name", [&] { publishVersion(tree(), {"6003", "6.0.0.3", "05/03/2026", "", {input("CON")}}); }},
        {"bad date", [&] { publishVersion(tree(), {"6003", "6.0.0.3", "5/3/26", "", {input("a.sql")}}); }},
        {"unsafe program name", [&] { publishPrograms(tree(), {input("prog.exe"), input("CON")}); }},
        {"add-on name over 30", [&] { publishAddOn(tree(), {input("prog.exe"), std::string(31, 'x'), "", ""}); }},
        {"existing key file", [&] { generateKeys(folder_.file("key"), false); }},
    };
    const auto before = snapshot();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(c.edit(), PublishError);
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(Publisher, VerifyNamesEveryMismatch) {
    const std::string key = generateKeys(folder_.file("key"), false);
    publishVersion(tree(), version("6002", "6.0.0.2"));
    publishPrograms(tree(), {input("prog.exe")});
    EXPECT_EQ(signTree(tree(), folder_.file("key"), 30, 1000), 1);
    EXPECT_EQ(signTree(tree(), folder_.file("key"), 30, 1000), 2);
    EXPECT_TRUE(verifyTree(tree(), key, 1000).empty());
    peers::writeFile((tree() / "exe/prog.exe").string(), "changed");
    peers::writeFile((tree() / "exe/extra.exe").string(), "extra");
    const std::vector<std::string> mismatches = verifyTree(tree(), key, 1000 + 31 * 86400);
    ASSERT_EQ(mismatches.size(), 3u);
    EXPECT_NE(mismatches[0].find("expired"), std::string::npos);
    EXPECT_EQ(mismatches[1].rfind("exe/prog.exe: expected 7 bytes", 0), 0u);
    EXPECT_EQ(mismatches[2], "exe/extra.exe: not in the manifest");
}

TEST_F(Publisher, ASignatureThatCannotBeWrittenLeavesTheOldPairWhole) {
    const std::string key = generateKeys(folder_.file("key"), false);
    publishVersion(tree(), version("6002", "6.0.0.2"));
    signTree(tree(), folder_.file("key"), 30, 1000);
    const auto signedTree = snapshot();
    fs::create_directories(tree() / "manifesto.sig.publishing");  // the signature's partial cannot be opened
    publishPrograms(tree(), {input("prog.exe")});
    EXPECT_THROW(signTree(tree(), folder_.file("key"), 30, 1000), PublishError);
    fs::remove(tree() / "manifesto.sig.publishing");
    fs::remove_all(tree() / "exe");
    EXPECT_EQ(snapshot(), signedTree);
    EXPECT_TRUE(verifyTree(tree(), key, 1000).empty());
}

}  // namespace
}  // namespace trev::publish
