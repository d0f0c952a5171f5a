#pragma once
// The data connection of one active-mode retrieval: we listen, the server connects
// to us, we read until it closes. Its work events carry the channel as their sender.
#include "platform/output_stream.h"
#include "platform/tcp_socket.h"
#include "protocols/block_buffer.h"
#include "protocols/speed_floor.h"
#include "protocols/work_events.h"

#include <cstdint>
#include <functional>
#include <string>

namespace trev {

class FtpDataChannel {
public:
    static constexpr int kBacklog = 15;

    // Listens on localAddress, on a port the system chooses. Only a connection
    // from expectedPeer (the control connection's server) is ever taken.
    FtpDataChannel(uint32_t localAddress, uint32_t expectedPeer);

    // The argument of "PORT": the four parts of the address and the port's two bytes.
    std::string portArgument() const;

    static constexpr int kWatchEveryMs = 50;

    // Waits up to timeoutMs for the server's connection, then stops listening;
    // watch runs every kWatchEveryMs meanwhile and may raise to end the wait.
    // Connections from any other address are closed unread.
    void accept(int timeoutMs, const std::function<void()>& watch);

    // Copies everything until the server closes into out; every wait for data is
    // bounded by idleTimeoutMs (-1: no bound), and the data must keep above floor.
    // watch runs every kWatchEveryMs of a wait and may raise to end the read.
    // The channel is closed afterwards.
    void readAll(OutputStream& out, const WorkHandlers& handlers, int idleTimeoutMs, SpeedFloor floor,
                 const std::function<void()>& watch);

private:
    long receiveWatched(BlockBuffer& blocks, int waitMs, const std::function<void()>& watch);
    void finishAfterFailure(OutputStream& out, const char* data, size_t size, WorkTracker& tracker);

    TcpSocket listener_;
    TcpSocket data_;
    uint32_t expectedPeer_;
};

// "Socket Error # 10060": the server did not open the data connection in time.
SocketError dataConnectionTimedOut();

}  // namespace trev
