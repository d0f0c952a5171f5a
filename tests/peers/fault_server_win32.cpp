#include "peers/fault_server.h"

#include "peers/fault_script_wire.h"
#include "peers/peer_host_client.h"

namespace trev::peers {
namespace {

// Beyond the wait asked for, the time the answer may take to travel.
constexpr int kAnswerMarginMs = 10000;

}  // namespace

struct FaultServer::Impl {
    mutable PeerHostSession host;
};

FaultServer::FaultServer() : impl_(std::make_unique<Impl>()) {
    port_ = static_cast<uint16_t>(std::stoul(impl_->host.call({"fault-http"}).at(0)));
}

FaultServer::~FaultServer() = default;

void FaultServer::addConnection(FaultScript script) {
    PeerMessage request{"fault-http-add"};
    appendFaultScript(request, script);
    impl_->host.call(request);
}

size_t FaultServer::connectionCount() const { return std::stoul(impl_->host.call({"fault-http-count"}).at(0)); }

std::string FaultServer::received(size_t connection) const {
    return impl_->host.call({"fault-http-received", std::to_string(connection)}).at(0);
}

bool FaultServer::waitForSteps(size_t connection, size_t steps, int timeoutMs) const {
    const PeerMessage request{"fault-http-wait", std::to_string(connection), std::to_string(steps),
                              std::to_string(timeoutMs)};
    return impl_->host.call(request, timeoutMs + kAnswerMarginMs).at(0) == "1";
}

}  // namespace trev::peers
