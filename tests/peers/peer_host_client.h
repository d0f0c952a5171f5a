#pragma once
// A Windows test's connection to the peer host (peer_host.cpp), at the address in
// TREV_PEER_HOST. What it starts lives as long as the connection.
#include "peers/peer_wire.h"
#include "platform/tcp_socket.h"

namespace trev::peers {

class PeerHostSession {
public:
    // Raises std::runtime_error when there is no peer host.
    PeerHostSession();
    // Waits until the host has stopped what this session started.
    ~PeerHostSession();
    PeerHostSession(const PeerHostSession&) = delete;
    PeerHostSession& operator=(const PeerHostSession&) = delete;

    // The answer's values; raises std::runtime_error with the host's message on failure.
    PeerMessage call(const PeerMessage& request, int timeoutMs = 120000);

private:
    TcpSocket socket_;
};

}  // namespace trev::peers
