#include "platform/socket_names.h"
#include "platform/tcp_socket.h"
#include "platform/text_util.h"

#include <cctype>
#include <cstring>

namespace trev {

uint32_t resolveHost(const std::string& host) {
    uint32_t address = 0;
    if (UpperCase(host) == "LOCALHOST") {
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
    return static_cast<uint16_t>(static_cast<uint32_t>(StrToInt(text)) & 0xFFFF);
}

}  // namespace trev
