#include "peers/child_process.h"

#include "platform/errors.h"
#include "platform/host_names.h"
#include "platform/tcp_socket.h"

#include <chrono>
#include <random>
#include <thread>

namespace trev::peers {

using Clock = std::chrono::steady_clock;

// Below the ports the systems hand out (Linux from 32768, Windows from 49152): a port
// from those, free for a moment, can be taken by any test's next connection before the
// server handed it binds it, and the start-up probe then reaches that stranger.
constexpr int FirstHandedPort = 20000;
constexpr int LastHandedPort = 32767;

uint16_t freeLoopbackPort() {
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> ports(FirstHandedPort, LastHandedPort);
    for (int attempt = 1;; ++attempt) {
        try {
            TcpSocket probe;
            probe.listen(resolveHost("127.0.0.1"), static_cast<uint16_t>(ports(random)), 1);
            return probe.localPort();
        } catch (const SocketError&) {
            if (attempt == 100) throw;
        }
    }
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
