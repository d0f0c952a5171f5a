#include "backup_test_support.h"

#include "peers/peer_system.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace trev::backuptest {

namespace {

std::vector<std::string> login(const std::string& password) {
    return password.empty() ? std::vector<std::string>{"-user", "SYSDBA"}
                            : std::vector<std::string>{"-user", "SYSDBA", "-password", password};
}

// On the servers' system, where the folder really is (under Wine too). chattr needs
// root; without it the permissions alone must do.
void runOnFolder(const std::vector<std::string>& command, const std::string& nativeFolder) {
    std::vector<std::string> argv = command;
    argv.push_back(peers::peerPath(nativeFolder));
    peers::runPeerCommand(argv, "", {}, 10000);
}

}  // namespace

const char* const kContent =
    "CREATE TABLE CLIENTES (ID INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(40), DESDE DATE);\n"
    "CREATE TABLE PEDIDOS (ID INTEGER NOT NULL PRIMARY KEY, CLIENTE INTEGER REFERENCES CLIENTES,\n"
    "  VALOR NUMERIC(10,2), NOTA BLOB SUB_TYPE TEXT);\n"
    "CREATE GENERATOR G_PEDIDO;\n"
    "CREATE VIEW V_TOTAIS AS SELECT CLIENTE, SUM(VALOR) AS TOTAL FROM PEDIDOS GROUP BY CLIENTE;\n"
    "COMMIT;\n"
    "INSERT INTO CLIENTES VALUES (1, 'Ana', '2024-01-31');\n"
    "INSERT INTO CLIENTES VALUES (2, 'Bruno', '2025-02-28');\n"
    "INSERT INTO PEDIDOS VALUES (GEN_ID(G_PEDIDO, 1), 1, 10.50, 'primeiro');\n"
    "INSERT INTO PEDIDOS VALUES (GEN_ID(G_PEDIDO, 1), 2, 99.99, NULL);\n"
    "INSERT INTO PEDIDOS VALUES (GEN_ID(G_PEDIDO, 1), 1, 0.01, 'terceiro');\n"
    "COMMIT;\n";

void createFilledDatabase(const std::string& connectionName, const std::string& password) {
    peers::createDatabase(connectionName, 3, password);
    std::vector<std::string> args = login(password);
    args.push_back(connectionName);
    const peers::IsqlResult result = peers::runIsql(args, kContent);
    if (result.exitCode != 0 || !result.output.empty()) throw std::runtime_error("fill failed: " + result.output);
}

std::vector<std::string> contents(const std::string& connectionName, const std::string& password) {
    return peers::queryRows(connectionName,
                            "SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0 ORDER BY 1;\n"
                            "SELECT * FROM CLIENTES ORDER BY ID;\n"
                            "SELECT ID, CLIENTE, VALOR, CAST(NOTA AS VARCHAR(40)) FROM PEDIDOS ORDER BY ID;\n"
                            "SELECT * FROM V_TOTAIS ORDER BY CLIENTE;\n"
                            "SELECT GEN_ID(G_PEDIDO, 0) FROM RDB$DATABASE;",
                            password);
}

peers::IsqlResult restore(const std::string& backupFile, const std::string& target, const std::string& password) {
    std::vector<std::string> command{"gbak", "-c"};
    for (const std::string& arg : login(password)) command.push_back(arg);
    command.insert(command.end(), {backupFile, target});
    return peers::runTool(command);
}

std::vector<std::string> backupsIn(const std::string& nativeFolder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(nativeFolder))
        if (entry.path().extension() == ".FBK") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

UnwritableFolder::UnwritableFolder(std::string nativeFolder) : folder_(std::move(nativeFolder)) {
    runOnFolder({"chmod", "0555"}, folder_);
    runOnFolder({"chattr", "+i"}, folder_);
}

UnwritableFolder::~UnwritableFolder() {
    runOnFolder({"chattr", "-i"}, folder_);
    runOnFolder({"chmod", "0755"}, folder_);
}

bool UnwritableFolder::holds() const {
    const std::filesystem::path probe = std::filesystem::path(folder_) / "probe";
    if (!std::ofstream(probe)) return true;
    std::error_code ignored;
    std::filesystem::remove(probe, ignored);
    return false;
}

}  // namespace trev::backuptest
