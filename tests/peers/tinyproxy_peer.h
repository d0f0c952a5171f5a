#pragma once
// tinyproxy on a free loopback port, optionally demanding Basic authentication.
#include "peers/child_process.h"
#include "peers/temp_folder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace trev::peers {

class TinyproxyPeer {
public:
    // Empty user: no authentication asked for.
    explicit TinyproxyPeer(const std::string& user = "", const std::string& password = "");
    ~TinyproxyPeer();

    uint16_t port() const { return port_; }
    // What the proxy logged, including each request line it received.
    std::string log() const;

private:
    TempFolder folder_{"trev-tinyproxy"};
    uint16_t port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace trev::peers
