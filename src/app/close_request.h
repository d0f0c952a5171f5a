#pragma once
// The close request: the line "F" CR LF sent over TCP to the business application
// on the local host, which closes itself when it arrives. Nothing is read back.
#include "platform/tcp_socket.h"

#include <string>

namespace trev {

// The ports the business application may listen on, as port texts ("999001" is 15961).
struct ClosePorts {
    std::string first;
    std::string second;
};
inline const ClosePorts kClosePorts{"999001", "999002"};

// The main window's TCP client: a host and a port as texts, blocking.
class TcpEnviaClient {
public:
    std::string RemoteHost = "127.0.0.1";
    std::string RemotePort = kClosePorts.first;

    bool Active() const { return socket_.isOpen(); }
    bool Connected() const { return connected_; }

    // Creates the socket and connects it; a failed connect raises nothing.
    void Open();
    // One more connect on the same socket when the first failed.
    void Connect();
    // One send call; a failure raises nothing.
    void SendLine(const std::string& line);
    // Shuts a connected socket down both ways, then closes it.
    void Close();

private:
    TcpSocket socket_;
    bool connected_ = false;
};

// Asks on the first port and then on the second. Every error is swallowed: the
// user never hears of the request, delivered or not.
void sendCloseRequest(TcpEnviaClient& client, const ClosePorts& ports = kClosePorts);

}  // namespace trev
