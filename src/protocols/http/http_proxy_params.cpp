#include "platform/text_util.h"
#include "protocols/http/http_client.h"

namespace trev {

void HttpProxyParams::setProxyServer(const std::string& server) {
    if (upperCase(server) != upperCase(proxyServer_)) credentials_.reset();
    proxyServer_ = server;
}

void HttpProxyParams::setProxyPort(int32_t port) {
    if (port != proxyPort_) credentials_.reset();
    proxyPort_ = port;
}

const std::string& HttpProxyParams::makeCredentials() {
    if (!credentials_) credentials_ = std::make_unique<std::string>(ProxyUsername + ":" + ProxyPassword);
    return *credentials_;
}

}  // namespace trev
