#pragma once
// pyftpdlib serving a folder over FTP (active mode) on a free loopback port,
// with the account "trevalmonte" / "harbloom".
#include "peers/child_process.h"
#include "peers/temp_folder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace trev::peers {

class FtpServerPeer {
public:
    // Starts the server on rootFolder and waits (bounded) until it listens.
    explicit FtpServerPeer(const std::string& rootFolder);

    uint16_t port() const { return port_; }

private:
    TempFolder portFolder_;
    uint16_t port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace trev::peers
