#pragma once
// A peer that never stops talking: the same bytes again and again, for the
// clients' bounds on what they take in.
#include <cstddef>
#include <string>

namespace trev::peers {

// Sends bytes over and over until the client closes, stopFd becomes readable,
// or the peer's own bounds (256 MiB, 20 s) are reached.
void sendEndlessly(int fd, const std::string& bytes, int stopFd);

}  // namespace trev::peers
