#include "platform/socket_names.h"
#include "platform/host_names.h"
#include "platform/tcp_socket.h"
#include "platform/text_util.h"

#include "platform/socket_system.h"

#include <cctype>
#include <cstring>

namespace trev {
namespace {

// The first IPv4 address the system's resolver gives for a name.
bool lookUpHostAddress(const std::string& name, uint32_t& networkOrder) {
    startSockets();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &result) != 0 || !result) return false;
    networkOrder = reinterpret_cast<sockaddr_in*>(result->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(result);
    return true;
}

// The port of a service name in the system's services database, any protocol.
bool lookUpServicePort(const std::string& name, uint16_t& port) {
    startSockets();
    const servent* service = ::getservbyname(name.c_str(), nullptr);
    if (service) port = ntohs(static_cast<uint16_t>(service->s_port));
    return service != nullptr;
}

}  // namespace

uint32_t resolveHost(const std::string& host) {
    uint32_t address = 0;
    if (upperCase(host) == "LOCALHOST") {
        const unsigned char loopback[4] = {127, 0, 0, 1};
        std::memcpy(&address, loopback, sizeof address);
        return address;
    }
    if (!host.empty() && std::isdigit(static_cast<unsigned char>(host[0])) && parseDottedAddress(host, address))
        return address;
    if (lookUpHostAddress(host, address)) return address;
    throw socketError(WSAHOST_NOT_FOUND);
}

std::string dottedAddress(uint32_t networkOrder) {
    unsigned char bytes[4];
    std::memcpy(bytes, &networkOrder, sizeof bytes);
    return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." + std::to_string(bytes[2]) + "." +
           std::to_string(bytes[3]);
}

uint16_t servicePort(const std::string& text) {
    uint16_t port = 0;
    if (lookUpServicePort(text, port)) return port;
    return static_cast<uint16_t>(static_cast<uint32_t>(parseInteger(text)) & 0xFFFF);
}

}  // namespace trev
