#pragma once
// Messages between a Windows test under Wine and the peer host on the Linux side:
// a list of byte strings, as "<count>\n" then "<length>\n<bytes>" for each. Strictly
// request and reply: neither side sends a second message before the answer to the first.
#include "platform/tcp_socket.h"

#include <string>
#include <vector>

namespace trev::peers {

using PeerMessage = std::vector<std::string>;

void sendMessage(TcpSocket& socket, const PeerMessage& message);
// false when the other side closed before a message began; raises std::runtime_error
// on a malformed message, on one beyond the bounds, and when timeoutMs (-1: none) runs out.
bool receiveMessage(TcpSocket& socket, PeerMessage& message, int timeoutMs);

}  // namespace trev::peers
