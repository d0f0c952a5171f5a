#pragma once
// A server program run in the foreground for the life of a fixture. On Linux it is
// this process's child; a Windows test under Wine has the peer host run it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trev::peers {

class ChildProcess {
public:
    // Starts argv[0] (a full path of the peers' system) with stdout and stderr appended
    // to logPath (a path of the peers' system; "" discards them).
    ChildProcess(const std::vector<std::string>& argv, const std::string& logPath = "");
    // Stops it: SIGTERM, then SIGKILL when it has not ended within 5 s.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running();
    void stop();

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

// A loopback port nobody listens on at the moment of the call, outside the range the
// system hands out, so no other connection takes it before its server binds it.
uint16_t freeLoopbackPort();
// Whether a connection to address:port succeeds within timeoutMs, trying again
// while it is refused; false also when process ends before that.
bool waitUntilListening(uint16_t port, int timeoutMs, ChildProcess* process = nullptr,
                        const std::string& address = "127.0.0.1");

}  // namespace trev::peers
