#include "peers/firebird_server.h"

#include "peers/firebird_embedded.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace trev::peers {

namespace {

constexpr int startTimeoutMs = 20000;

}  // namespace

FirebirdServer::FirebirdServer() : port_(freeLoopbackPort()) {
    const std::string root = folder_.file("root");
    const std::string security = folder_.file("security.fdb");
    for (const char* part : {"data", "lock", "server-lock", "tmp"}) fs::create_directories(folder_.file(part));
    makeFirebirdRoot(root,
                     "RemoteServicePort = " + std::to_string(port_) + "\nRemoteBindAddress = 127.0.0.1\n" +
                         "SecurityDatabase = " + security + "\nServerMode = Super\n" +
                         "TempDirectories = " + folder_.file("tmp") + "\n",
                     "security.db = " + security + "\n");
    ::setenv("FIREBIRD", root.c_str(), 1);
    ::setenv("FIREBIRD_LOCK", folder_.file("lock").c_str(), 1);
    ::setenv("FIREBIRD_TMP", folder_.file("tmp").c_str(), 1);
    prepareSecurityDatabase();
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/env", "FIREBIRD_LOCK=" + folder_.file("server-lock"), "/usr/sbin/firebird"},
        folder_.file("server.log"));
    if (!waitUntilListening(port_, startTimeoutMs, process_.get()))
        throw std::runtime_error("the Firebird server did not start; see " + folder_.file("server.log"));
}

FirebirdServer::~FirebirdServer() { process_.reset(); }

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
