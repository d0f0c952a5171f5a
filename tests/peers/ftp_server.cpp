#include "peers/ftp_server.h"

#include "peers/peer_system.h"
#include "peers/temp_folder.h"

#include <chrono>
#include <stdexcept>
#include <thread>

namespace trev::peers {

namespace {

// The port the server chose and wrote once it listens; 0 while there is none.
uint16_t portWritten(const std::string& portFile) {
    try {
        return static_cast<uint16_t>(std::stoul(readFile(portFile)));
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace

// The server takes a port of the system's choosing and names it: a port chosen here
// and handed over could be taken by a parallel test in between.
FtpServerPeer::FtpServerPeer(const std::string& rootFolder) : portFolder_("ftp-port") {
    // The build names this folder (__FILE__ may be relative to wherever the compiler ran);
    // it is a path of the servers' system, joined as such whichever side builds this.
    const std::string script = std::string(TREV_PEERS_SOURCE_DIR) + "/ftp_server.py";
    const std::string portFile = portFolder_.file("port");
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/python3", script, peerPath(rootFolder), peerPath(portFile)});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while ((port_ = portWritten(portFile)) == 0) {
        if (!process_->running() || std::chrono::steady_clock::now() >= deadline)
            throw std::runtime_error("pyftpdlib did not start");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace trev::peers
