#pragma once
// A Firebird server on a free loopback port with its own configuration, security
// database (SYSDBA with a known password), lock and temp folders. The test process
// shares its configuration, so "host:path" names reach this server's port too.
#include "peers/child_process.h"
#include "peers/temp_folder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace trev::peers {

class FirebirdServer {
public:
    static constexpr const char* password = "Sal7ado";

    // Sets the process environment, so it must come before the client library is loaded.
    FirebirdServer();
    ~FirebirdServer();

    uint16_t port() const { return port_; }
    // A folder for database files, as the server sees it.
    std::string dataFolder() const;
    // "127.0.0.1/port:" + dataFolder() + "/" + file
    std::string connectionName(const std::string& file) const;

private:
    void prepareSecurityDatabase();

    TempFolder folder_{"trev-fbserver"};
    uint16_t port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace trev::peers
