#include "peers/child_process.h"

#include "peers/peer_host_client.h"

#include <stdexcept>

namespace trev::peers {

struct ChildProcess::Handle {
    PeerHostSession host;
};

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& logPath)
    : handle_(std::make_unique<Handle>()) {
    PeerMessage request{"run", logPath};
    request.insert(request.end(), argv.begin(), argv.end());
    handle_->host.call(request);
}

// Should the host be gone, it has stopped the program with the connection.
ChildProcess::~ChildProcess() {
    try {
        stop();
    } catch (const std::exception&) {
    }
}

bool ChildProcess::running() { return handle_->host.call({"running"}).at(0) == "1"; }

void ChildProcess::stop() { handle_->host.call({"stop"}); }

}  // namespace trev::peers
