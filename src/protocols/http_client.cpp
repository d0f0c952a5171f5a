// Scaffolding until the HTTP client is written: the interface links, nothing is fetched.
#include "protocols/http_client.h"

#include "platform/errors.h"

namespace trev {

void HttpProxyParams::setProxyServer(const std::string& server) { proxyServer_ = server; }
void HttpProxyParams::setProxyPort(int32_t port) { proxyPort_ = port; }
const std::string& HttpProxyParams::makeCredentials() {
    credentials_ = std::make_unique<std::string>(ProxyUsername + ":" + ProxyPassword);
    return *credentials_;
}

struct HttpClient::Impl {
    WorkHandlers handlers;
};

HttpClient::HttpClient() : impl_(std::make_unique<Impl>()) {}
HttpClient::~HttpClient() = default;
WorkHandlers& HttpClient::work() { return impl_->handlers; }
void HttpClient::Get(const std::string&, OutputStream&) { throw Error("HTTP client not built yet"); }

}  // namespace trev
