#include "peers/ftp_fault_server.h"

#include "peers/fault_script_wire.h"
#include "peers/peer_host_client.h"

namespace trev::peers {

struct FtpFaultServer::Impl {
    mutable PeerHostSession host;
    uint16_t port = 0;
};

FtpFaultServer::FtpFaultServer() : impl_(std::make_unique<Impl>()) {
    impl_->port = static_cast<uint16_t>(std::stoul(impl_->host.call({"fault-ftp"}).at(0)));
}

FtpFaultServer::~FtpFaultServer() = default;

uint16_t FtpFaultServer::port() const { return impl_->port; }

void FtpFaultServer::setScript(Script script) {
    PeerMessage request{"fault-ftp-script"};
    appendFtpScript(request, script);
    impl_->host.call(request);
}

std::vector<std::string> FtpFaultServer::commands() const { return impl_->host.call({"fault-ftp-commands"}); }

bool FtpFaultServer::foreignConnectionClosed() const {
    return impl_->host.call({"fault-ftp-foreign-closed"}).at(0) == "1";
}

}  // namespace trev::peers
