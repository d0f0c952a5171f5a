// Backups through the service manager of a Firebird server on loopback.
#include "backup_test_support.h"
#include "peers/child_process.h"
#include "peers/firebird_server.h"
#include "peers/temp_folder.h"
#include "platform/codepage.h"
#include "update/database_backup.h"
#include "update/web_update_database.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace trev {
namespace {

using peers::FirebirdServer;

const LocalTime kTime{2025, 3, 7, 9, 5, 2};
const std::string kBackup = "DB_TREVALMONTE_20250307_090502.FBK";

class ServerBackupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = new FirebirdServer();
        backuptest::createFilledDatabase(server_->connectionName("DB_TREVALMONTE.GDB"), FirebirdServer::password);
    }
    static void TearDownTestSuite() { delete server_; }

    static void login(WebUpdateDatabase& database, const std::string& password) {
        database.Conexao.Params = {"user_name=SYSDBA", std::string("password=") + password};
    }

    static FirebirdServer* server_;
};

FirebirdServer* ServerBackupTest::server_ = nullptr;

TEST_F(ServerBackupTest, BackupOnTheServerRestoresToAnEqualDatabase) {
    const std::string name = server_->connectionName("DB_TREVALMONTE.GDB");
    BackupRecord record;
    {
        WebUpdateDatabase session;
        login(session, FirebirdServer::password);
        session.Conexao.DatabaseName = name;
        session.Conexao.Open();
        record = backupDatabase(session.Conexao, kTime);
    }
    EXPECT_EQ(record.file, server_->dataFolder() + "/" + kBackup);
    EXPECT_EQ(record.size, static_cast<int64_t>(std::filesystem::file_size(record.file)));
    EXPECT_EQ(record.restoreCommand, restoreCommand(record.file, name, "SYSDBA"));

    const std::string restoredName = server_->connectionName("restored.fdb");
    const peers::IsqlResult restored = backuptest::restore(record.file, restoredName, FirebirdServer::password);
    ASSERT_EQ(restored.exitCode, 0) << restored.output;
    const auto before = backuptest::contents(name, FirebirdServer::password);
    EXPECT_EQ(backuptest::contents(restoredName, FirebirdServer::password), before);
    EXPECT_NE(std::find(before.begin(), before.end(), "CLIENTES"), before.end());
}

TEST_F(ServerBackupTest, AServiceManagerThatCannotBeReachedOrRefusesTheLoginStopsTheBackup) {
    const struct {
        const char* what;
        std::string databaseName;
        const char* password;
        const char* reason;  // UTF-8
    } cases[] = {
        {"no server", "127.0.0.1/" + std::to_string(peers::freeLoopbackPort()) + ":" + server_->dataFolder() +
                          "/DB_TREVALMONTE.GDB",
         FirebirdServer::password, "o servidor do banco de dados não respondeu"},
        {"wrong password", server_->connectionName("DB_TREVALMONTE.GDB"), "errada",
         "o usuário ou a senha foram recusados"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WebUpdateDatabase session;
        login(session, c.password);
        session.Conexao.DatabaseName = c.databaseName;
        try {
            backupDatabase(session.Conexao, kTime);
            ADD_FAILURE() << "backed up";
        } catch (const DatabaseBackupError& error) {
            EXPECT_NE(std::string(error.what()).find(utf8ToCp1252(std::string("(") + c.reason + ")")),
                      std::string::npos)
                << error.what();
        }
    }
}

}  // namespace
}  // namespace trev
