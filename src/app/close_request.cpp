#include "app/close_request.h"

#include "platform/host_names.h"

namespace trev {

void TcpEnviaClient::Open() {
    Close();
    uint32_t address = resolveHost(RemoteHost);
    uint16_t port = servicePort(RemotePort);
    socket_.create();
    connected_ = socket_.tryConnect(address, port) == 0;
}

void TcpEnviaClient::Connect() {
    if (connected_ || !socket_.isOpen()) return;
    connected_ = socket_.tryConnect(resolveHost(RemoteHost), servicePort(RemotePort)) == 0;
}

void TcpEnviaClient::SendLine(const std::string& line) {
    if (socket_.isOpen()) socket_.trySend(line.data(), line.size());
}

void TcpEnviaClient::Close() {
    if (connected_) socket_.shutdownBoth();
    socket_.close();
    connected_ = false;
}

void sendCloseRequest(TcpEnviaClient& client, const ClosePorts& ports) {
    try {
        for (const std::string* portText : {&ports.first, &ports.second}) {
            client.Close();
            client.RemotePort = *portText;
            client.Open();
            client.Connect();
            client.SendLine("F\r\n");
            client.Close();
        }
    } catch (...) {
        // A failed request looks exactly like a delivered one.
        client.Close();
    }
}

}  // namespace trev
