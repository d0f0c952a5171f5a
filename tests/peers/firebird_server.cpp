#include "peers/firebird_server.h"

#include "peers/firebird_embedded.h"
#include "peers/peer_system.h"

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace trev::peers {

namespace {

constexpr int startTimeoutMs = 20000;

}  // namespace

FirebirdServer::FirebirdServer() : port_(freeLoopbackPort()) {
    const std::string root = peerPath(folder_.file("root"));
    const std::string security = peerPath(folder_.file("security.fdb"));
    for (const char* part : {"data", "lock", "server-lock", "tmp"}) fs::create_directories(folder_.file(part));
    makeFirebirdRoot(folder_.file("root"),
                     "RemoteServicePort = " + std::to_string(port_) + "\nRemoteBindAddress = 127.0.0.1\n" +
                         "SecurityDatabase = " + security + "\nServerMode = Super\n" +
                         "TempDirectories = " + peerPath(folder_.file("tmp")) + "\n",
                     "security.db = " + security + "\n");
    setEnvironment("FIREBIRD", root);
    setEnvironment("FIREBIRD_LOCK", peerPath(folder_.file("lock")));
    setEnvironment("FIREBIRD_TMP", peerPath(folder_.file("tmp")));
    prepareSecurityDatabase();
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/env", "FIREBIRD=" + root, "FIREBIRD_LOCK=" + peerPath(folder_.file("server-lock")),
                                 "FIREBIRD_TMP=" + peerPath(folder_.file("tmp")), "/usr/sbin/firebird"},
        peerPath(folder_.file("server.log")));
    if (!waitUntilListening(port_, startTimeoutMs, process_.get()))
        throw std::runtime_error("the Firebird server did not start; see " + folder_.file("server.log"));
}

FirebirdServer::~FirebirdServer() { process_.reset(); }

std::string FirebirdServer::dataFolder() const { return peerPath(folder_.file("data")); }

std::string FirebirdServer::connectionName(const std::string& file) const {
    return "127.0.0.1/" + std::to_string(port_) + ":" + dataFolder() + "/" + file;
}

// A new database serves as the security database (the user manager adds its table);
// the embedded engine writes SYSDBA with the known password before the server opens it.
// Nothing of the system-wide installation is read, so any user can run the server.
void FirebirdServer::prepareSecurityDatabase() {
    createDatabase(folder_.file("security.fdb"));
    const IsqlResult result =
        runIsql({"-user", "SYSDBA", folder_.file("security.fdb")},
                std::string("create or alter user SYSDBA password '") + password + "' using plugin Srp;\ncommit;\n");
    if (result.exitCode != 0 || !result.output.empty())
        throw std::runtime_error("cannot set the SYSDBA password: " + result.output);
}

}  // namespace trev::peers
