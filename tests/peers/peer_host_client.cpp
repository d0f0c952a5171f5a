#include "peers/peer_host_client.h"

#include "platform/host_names.h"

#include <cstdlib>
#include <stdexcept>

namespace trev::peers {

PeerHostSession::PeerHostSession() {
    const char* address = std::getenv("TREV_PEER_HOST");
    const std::string text = address ? address : "";
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        throw std::runtime_error("TREV_PEER_HOST is not set: Windows tests run under scripts/test-windows");
    socket_.connect(text.substr(0, colon), servicePort(text.substr(colon + 1)), 10000);
}

PeerHostSession::~PeerHostSession() {
    try {
        call({"end"}, 30000);
    } catch (const std::exception&) {
        // The host is gone, and with it what this session started.
    }
}

PeerMessage PeerHostSession::call(const PeerMessage& request, int timeoutMs) {
    sendMessage(socket_, request);
    PeerMessage reply;
    if (!receiveMessage(socket_, reply, timeoutMs) || reply.empty())
        throw std::runtime_error("the peer host closed the connection during " + request.at(0));
    if (reply[0] != "ok") throw std::runtime_error("peer host, " + request.at(0) + ": " + reply.back());
    reply.erase(reply.begin());
    return reply;
}

}  // namespace trev::peers
