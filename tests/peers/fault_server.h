#pragma once
// A scripted TCP server for exchanges no real server produces: it records every byte
// it receives and answers each connection with canned bytes, step by step.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trev::peers {

struct FaultStep {
    // Wait until the bytes received since the previous step contain this text
    // ("\r\n\r\n": a whole HTTP request head; "\r\n": one command line; "": do not wait).
    std::string awaitText = "\r\n\r\n";
    std::string reply;
    // Send the reply in pieces of this size with a pause between them (a slow server).
    size_t pieceSize = 0;
    int pieceDelayMs = 0;
    // After the reply, these bytes again and again until the client closes (a server that never stops).
    std::string endless;
    // Stay: go on with the next step; after the last step the connection stays open,
    // silent, until the client closes it. Close: an orderly close. Reset: an abortive close.
    enum class Then { Stay, Close, Reset } then = Then::Stay;
};
using FaultScript = std::vector<FaultStep>;

class FaultServer {
public:
    FaultServer();
    ~FaultServer();
    FaultServer(const FaultServer&) = delete;
    FaultServer& operator=(const FaultServer&) = delete;

    uint16_t port() const { return port_; }
    // "http://127.0.0.1:<port>" + path
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

    // The script of the next connection accepted, in order; a connection without one is closed at once.
    void addConnection(FaultScript script);
    size_t connectionCount() const;
    // Everything received so far on the connection of that number (0 is the first).
    std::string received(size_t connection) const;
    // Waits until that connection has finished the given number of steps of its
    // script (a Close or Reset step counts once the close is done); false on time-out.
    bool waitForSteps(size_t connection, size_t steps, int timeoutMs) const;

private:
    // The server itself on Linux; under Wine, the peer host's session that runs it.
    struct Impl;
    std::unique_ptr<Impl> impl_;
    uint16_t port_ = 0;
};

}  // namespace trev::peers
