#include "peers/ftp_server.h"

#include "peers/peer_system.h"

#include <stdexcept>

namespace trev::peers {

FtpServerPeer::FtpServerPeer(const std::string& rootFolder) : port_(freeLoopbackPort()) {
    // The build names this folder (__FILE__ may be relative to wherever the compiler ran);
    // it is a path of the servers' system, joined as such whichever side builds this.
    const std::string script = std::string(TREV_PEERS_SOURCE_DIR) + "/ftp_server.py";
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/python3", script, peerPath(rootFolder), std::to_string(port_)});
    if (!waitUntilListening(port_, 15000, process_.get())) throw std::runtime_error("pyftpdlib did not start");
}

}  // namespace trev::peers
