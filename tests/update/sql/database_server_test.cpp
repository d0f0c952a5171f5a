// The connection strings that the business application's files make, against a
// real Firebird server on loopback.
#include "peers/child_process.h"
#include "peers/firebird_embedded.h"
#include "peers/firebird_server.h"
#include "peers/temp_folder.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "update/business_files.h"
#include "update/sql_script_runner.h"
#include "update/web_update_database.h"

#include <gtest/gtest.h>

#include <optional>

namespace trev {
namespace {

using peers::FirebirdServer;

class DatabaseServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = new FirebirdServer();
        peers::createDatabase(server_->connectionName("DB_TREVALMONTE.GDB"), 3, FirebirdServer::password);
        peers::runIsql({"-user", "SYSDBA", "-password", FirebirdServer::password,
                        server_->connectionName("DB_TREVALMONTE.GDB")},
                       "CREATE TABLE T (NAME VARCHAR(40));\nCOMMIT;\n");
    }
    static void TearDownTestSuite() { delete server_; }

    // The business application's configuration as a server update finds it, on a fresh drive.
    static void configure(const peers::TempFolder& drive, const std::string& port, const std::string& password,
                          std::optional<std::string> address) {
        setDriveRoot(drive.path());
        const std::string config = drive.file("VELOR/TREVALMONTE/CONFIG/");
        peers::writeFile(config + "fire.cfg", port + "\r\nSYSDBA\r\n" + password + "\r\n");
        peers::writeFile(config + "LOCAL_BD.CFG", server_->dataFolder() + "/\r\n");
        if (address) peers::writeFile(config + "IP.CFG", *address + "\r\n");
    }

    std::string openAndName(WebUpdateDatabase& database) {
        database.Conexao.DatabaseName = BuildDatabaseName(LoadDatabaseSettings(database.Conexao));
        database.Conexao.Open();
        return database.Conexao.DatabaseName;
    }

    static std::vector<std::string> names(const std::string& where) {
        return peers::queryRows(server_->connectionName("DB_TREVALMONTE.GDB"),
                                "SELECT NAME FROM T WHERE NAME = '" + where + "';", FirebirdServer::password);
    }

    static FirebirdServer* server_;
    peers::TempFolder drive_{"trev-dbserver"};
};

FirebirdServer* DatabaseServerTest::server_ = nullptr;

TEST_F(DatabaseServerTest, EveryServerFormReachesTheServerAndCommitsAtClose) {
    const std::string port = std::to_string(server_->port());
    const std::string folder = server_->dataFolder() + "/DB_TREVALMONTE.GDB";
    const struct {
        const char* form;
        std::string port;
        std::optional<std::string> address;
        std::string expectedName;
    } cases[] = {
        {"address-port", port, "127.0.0.1", "127.0.0.1/" + port + ":" + folder},
        {"address", "", "localhost", "localhost:" + folder},  // the default port of this configuration
        {"port", port, std::nullopt, "127.0.0.1/" + port + ":" + folder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        peers::TempFolder drive("trev-dbserver");
        configure(drive, c.port, FirebirdServer::password, c.address);
        {
            WebUpdateDatabase database;
            EXPECT_EQ(openAndName(database), c.expectedName);
            peers::writeFile(drive.file("script.sql"), std::string("INSERT INTO T VALUES ('") + c.form + "');\n");
            struct : ScriptProgress {
                void start(int) override {}
                void lineDone() override {}
            } quiet;
            runSqlScriptFile(database, "C:\\script.sql", quiet);  // the file written above
            EXPECT_TRUE(names(c.form).empty());
        }
        EXPECT_EQ(names(c.form), std::vector<std::string>{c.form});
    }
}

TEST_F(DatabaseServerTest, AWrongPasswordComesBackAsTheServersMessage) {
    configure(drive_, std::to_string(server_->port()), "wrong", "127.0.0.1");
    WebUpdateDatabase database;
    try {
        openAndName(database);
        FAIL() << "opened";
    } catch (const DatabaseError& error) {
        EXPECT_STREQ(error.what(), "Your user name and password are not defined. Ask your database administrator "
                                   "to set up a Firebird login");
    }
    EXPECT_FALSE(database.Conexao.Connected());
}

TEST_F(DatabaseServerTest, AServerThatIsNotRunningLeavesTheConnectionClosed) {
    configure(drive_, std::to_string(peers::freeLoopbackPort()), FirebirdServer::password, "127.0.0.1");
    WebUpdateDatabase database;
    try {
        openAndName(database);
        FAIL() << "opened";
    } catch (const DatabaseError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("Unable to complete network request to host \"127.0.0.1\"", 0), 0u) << message;
        EXPECT_NE(error.sqlCode(), 0);
    }
    EXPECT_FALSE(database.Conexao.Connected());
}

}  // namespace
}  // namespace trev
