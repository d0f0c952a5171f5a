#pragma once
// pyftpdlib serving a folder over FTP (active mode) on a free loopback port,
// with the account "trevalmonte" / "harbloom".
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace trev::test {

class FtpServerPeer {
public:
    // Starts the server on rootFolder and waits (bounded) until it listens.
    explicit FtpServerPeer(const std::string& rootFolder);
    ~FtpServerPeer();
    FtpServerPeer(const FtpServerPeer&) = delete;
    FtpServerPeer& operator=(const FtpServerPeer&) = delete;

    uint16_t port() const { return port_; }
    const std::string& root() const { return root_; }

private:
    void stop();

    std::string root_;
    pid_t pid_ = -1;
    int stdinFd_ = -1;
    uint16_t port_ = 0;
};

}  // namespace trev::test
