#include "peers/child_process.h"

#include "platform/host_names.h"
#include "platform/tcp_socket.h"

#include <chrono>
#include <thread>

namespace trev::peers {

using Clock = std::chrono::steady_clock;

uint16_t freeLoopbackPort() {
    TcpSocket probe;
    probe.listen(resolveHost("127.0.0.1"), 0, 1);
    return probe.localPort();
}

bool waitUntilListening(uint16_t port, int timeoutMs, ChildProcess* process, const std::string& address) {
    uint32_t target = resolveHost(address);
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        if (process && !process->running()) return false;
        TcpSocket probe;
        probe.create();
        if (probe.tryConnect(target, port, 1000) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

}  // namespace trev::peers
