#pragma once
// nginx serving a document folder on a free loopback port, in its own prefix folder.
#include "peers/child_process.h"
#include "peers/temp_folder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace trev::peers {

class NginxPeer {
public:
    // Serves documentRoot; "/connection" answers with "<connection serial>:<request number>",
    // so a test sees whether two requests shared one TCP connection.
    // address and port: where to listen instead of a free port on 127.0.0.1
    // (port 80 needs the rights to bind it).
    explicit NginxPeer(const std::string& documentRoot, const std::string& address = "127.0.0.1", uint16_t port = 0);
    ~NginxPeer();

    uint16_t port() const { return port_; }
    // "http://<address>:<port>" + path
    std::string url(const std::string& path) const;
    std::string accessLog() const;
    // The access log once every request answered before this call is in it: nginx
    // logs a request only after answering it, so a marker request of its own is
    // sent and its line awaited (bounded, sleeping between reads); the one worker
    // logs in the order it answers.
    std::string settledAccessLog() const;
    std::string errorLog() const;

private:
    TempFolder folder_{"trev-nginx"};
    std::string address_;
    uint16_t port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace trev::peers
