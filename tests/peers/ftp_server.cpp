#include "peers/ftp_server.h"

#include <stdexcept>

namespace trev::peers {

FtpServerPeer::FtpServerPeer(const std::string& rootFolder) : port_(freeLoopbackPort()) {
    const std::string script = std::string(TREV_PEERS_DIR) + "/ftp_server.py";
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/python3", script, rootFolder, std::to_string(port_)});
    if (!waitUntilListening(port_, 15000, process_.get())) throw std::runtime_error("pyftpdlib did not start");
}

}  // namespace trev::peers
