// A tree published and signed by the publisher, checked and run with its key against
// nginx, pyftpdlib and the embedded engine: a sound tree updates, a tampered one is
// refused with nothing executed, replaced or started.
#include "peers/firebird_embedded.h"
#include "platform/paths.h"
#include "publish/signing.h"
#include "publish/tree_edits.h"
#include "sequence_fixture.h"
#include "update/manifest.h"
#include "update/update_run.h"
#include "update/version_check.h"
#include "update/web_update_database.h"

#include <ctime>
#include <filesystem>
#include <functional>

namespace trev::sequencetest {
namespace {

namespace fs = std::filesystem;

int64_t now() { return static_cast<int64_t>(std::time(nullptr)); }

class SignedUpdate : public Sequence {
protected:
    static void SetUpTestSuite() {
        peers::FirebirdEmbedded::instance();
        Sequence::SetUpTestSuite();
        keys_ = std::make_unique<peers::TempFolder>("signed-keys");
        key_ = publish::generateKeys(keys_->file("publisher.key"), false);
        otherKey_ = publish::generateKeys(keys_->file("other.key"), false);
    }
    static void TearDownTestSuite() {
        keys_.reset();
        Sequence::TearDownTestSuite();
    }
    void SetUp() override {
        Sequence::SetUp();
        served().clear();
        peers::createDatabase(nativePath("C:\\VELOR\\TREVALMONTE\\DB_TREVALMONTE.GDB"));
        install("ADICIONAIS/relat.exe", "installed add-on");
        peers::writeFile(keys_->file("a.sql"), "CREATE TABLE T_NOVA (A INTEGER);\r\n");
        peers::writeFile(keys_->file("Novo.exe"), "program");
        peers::writeFile(keys_->file("relat.exe"), "new add-on");
        publish::publishVersion(tree(), {"6002", "6.0.0.2", "01/02/2026", "Versao nova", {keys_->file("a.sql")}});
        publish::publishPrograms(tree(), {keys_->file("Novo.exe")});
        publish::publishAddOn(tree(), {keys_->file("relat.exe"), "Relatorio", "01/02/2026", "Relatorios"});
    }

    static fs::path tree() { return servers_->folder().file("download/atualiza"); }
    static void sign(const std::string& keyFile = "publisher.key", int64_t at = now()) {
        publish::signTree(tree(), keys_->file(keyFile), 30, at);
    }

    UpdateSource signedSource() {
        UpdateServer server{"127.0.0.1", servers_->nginx().port(), servers_->ftpPort()};
        server.publisherKey = key_;
        return UpdateSource(*dataWeb_, server, [this] { return letter_; });
    }
    void check() {
        UpdateSource updates = signedSource();
        VersionCheck(view_, updates, log_).run();
    }
    void runServerUpdate() {
        view_.serverUpdate = true;
        view_.versions = {{"6.0.0.2", "", ""}};
        view_.addOns = {{"Relatorio", "", "", "relat.exe"}};
        view_.ticked = {true};
        UpdateSource updates = signedSource();
        WebUpdateDatabase database;
        view_.database = &database;
        try {
            UpdateRun(view_, updates, database, log_).run();
        } catch (...) {
            view_.database = nullptr;
            throw;
        }
        view_.database = nullptr;
    }
    bool tableCreated() {
        return !peers::queryRows(nativePath("C:\\VELOR\\TREVALMONTE\\DB_TREVALMONTE.GDB"),
                                 "SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'T_NOVA';")
                    .empty();
    }
    bool logHas(const std::string& text) const {
        for (const std::string& line : logLines())
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

    static std::unique_ptr<peers::TempFolder> keys_;
    static std::string key_;
    static std::string otherKey_;
};

std::unique_ptr<peers::TempFolder> SignedUpdate::keys_;
std::string SignedUpdate::key_;
std::string SignedUpdate::otherKey_;

TEST_F(SignedUpdate, ASignedTreeUpdatesOverHttpAndOverFtp) {
    for (Protocol letter : {Protocol::Http, Protocol::Ftp}) {
        SCOPED_TRACE(letter == Protocol::Ftp ? "FTP" : "HTTP");
        SetUp();
        sign();
        letter_ = letter;
        check();
        EXPECT_EQ(view_.versions.back()[0], "6.0.0.2");
        EXPECT_EQ(installed("CONFIG/manifesto_aceito.cfg"), "1\r\n");
        runServerUpdate();
        EXPECT_TRUE(tableCreated());
        EXPECT_EQ(installed("ADICIONAIS/relat.exe"), "new add-on");
        EXPECT_EQ(view_.linesStartingWith("launch ").size(), 1u);
        EXPECT_TRUE(logHas("Manifesto assinado aceito: sequência 1"));
        TearDown();
        view_ = RecordingView();
    }
}

void append(const fs::path& file, const std::string& bytes) {
    peers::writeFile(file.string(), peers::readFile(file.string()) + bytes);
}

// Each way a tree can differ from what the publisher signed: the run refuses before
// its first statement, replacement or start, and leaves no partial behind.
TEST_F(SignedUpdate, ATamperedTreeIsRefusedWithNothingExecutedReplacedOrStarted) {
    const struct {
        const char* name;
        std::function<void(SignedUpdate&)> tamper;
        const char* logged;
    } cases[] = {
        {"script byte", [](SignedUpdate&) { sign(); append(tree() / "versao/6002/a.sql", " "); }, "não confere"},
        {"executable swapped",
         [](SignedUpdate&) { sign(); peers::writeFile((tree() / "exe/Novo.exe").string(), "margorp"); }, "não confere"},
        {"add-on swapped",
         [](SignedUpdate&) { sign(); peers::writeFile((tree() / "adicionais/relat.exe").string(), "evil add-on"); },
         "não confere"},
        {"another key", [](SignedUpdate&) { sign("other.key"); }, "assinatura"},
        {"older sequence",
         [this](SignedUpdate&) { sign(); install("CONFIG/manifesto_aceito.cfg", "5\r\n"); }, "antigo"},
        {"expired", [](SignedUpdate&) { sign("publisher.key", now() - 31 * 86400); }, "expirou"},
        {"missing signature", [](SignedUpdate&) { sign(); fs::remove(tree() / "manifesto.sig"); }, "404"},
        {"unlisted file",
         [](SignedUpdate&) {
             fs::rename(tree() / "exe/Novo.exe", tree() / "Novo.exe");
             sign();
             fs::rename(tree() / "Novo.exe", tree() / "exe/Novo.exe");
         },
         "não consta"},
        {"manifest over the bound",
         [](SignedUpdate&) {
             sign();
             append(tree() / "manifesto.cfg", std::string(kManifestMaxBytes, 'x'));
         },
         "mais de 1048576 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.tamper(*this);
        EXPECT_THROW(runServerUpdate(), Error);
        EXPECT_FALSE(tableCreated());
        EXPECT_EQ(installed("ADICIONAIS/relat.exe"), "installed add-on");
        EXPECT_FALSE(fileExists("C:\\VELOR\\TREVALMONTE\\ADICIONAIS\\relat.exe.new"));
        EXPECT_TRUE(view_.linesStartingWith("launch ").empty());
        EXPECT_TRUE(view_.linesStartingWith("run ").empty());
        EXPECT_TRUE(logHas(c.logged)) << logLines().back();
        TearDown();
        view_ = RecordingView();
    }
}

// The catalogue is verified before it is read: a changed version list gives no rows.
TEST_F(SignedUpdate, AChangedCatalogueIsRefusedBeforeItIsRead) {
    sign();
    append(tree() / "versao/versao.cfg", "6003\r\n");
    EXPECT_THROW(check(), VerificationError);
    EXPECT_TRUE(view_.versions.empty());
    EXPECT_FALSE(fileExists("C:\\Velor\\TREVALMONTE\\TEMP\\versao.cfg"));
    EXPECT_FALSE(fileExists("C:\\VELOR\\TREVALMONTE\\CONFIG\\manifesto_aceito.cfg"));
}

}  // namespace
}  // namespace trev::sequencetest
