#pragma once
// The scripts of the fault servers as peer messages, for the servers the peer host runs.
#include "peers/fault_server.h"
#include "peers/ftp_fault_server.h"
#include "peers/peer_wire.h"

namespace trev::peers {

void appendFaultScript(PeerMessage& message, const FaultScript& script);
// The script in message from index from to the end.
FaultScript faultScriptFrom(const PeerMessage& message, size_t from);

void appendFtpScript(PeerMessage& message, const FtpFaultServer::Script& script);
FtpFaultServer::Script ftpScriptFrom(const PeerMessage& message, size_t from);

}  // namespace trev::peers
