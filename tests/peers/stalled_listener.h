#pragma once
// A loopback port whose listen queue is full: a connect to it neither succeeds nor
// fails, it waits until the client gives up.
#include "platform/tcp_socket.h"

#include <cstdint>

namespace trev::peers {

class StalledListener {
public:
    StalledListener();
    uint16_t port() const { return port_; }

private:
    TcpSocket listener_;
    TcpSocket filler_;  // takes the one place in the queue
    uint16_t port_ = 0;
};

}  // namespace trev::peers
