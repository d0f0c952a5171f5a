#pragma once
// The HTTP/1.1 client: one GET of an absolute http:// URL into a stream,
// directly or through a proxy, reporting progress through work events.
#include "platform/output_stream.h"
#include "protocols/work_events.h"

#include <cstdint>
#include <memory>
#include <string>

namespace trev {

class HttpProxyParams {
public:
    const std::string& ProxyServer() const { return proxyServer_; }
    int32_t ProxyPort() const { return proxyPort_; }
    // A different server (ignoring case) or port discards the cached credentials.
    void setProxyServer(const std::string& server);
    void setProxyPort(int32_t port);

    // "Proxy-Authorization" goes with a request through the proxy only while this is on.
    bool BasicAuthentication = false;
    std::string ProxyUsername;
    std::string ProxyPassword;

    // "user:password" of the credentials object: made from the user name and password
    // at the first authenticated request, then kept until the server or port changes.
    const std::string* credentials() const { return credentials_.get(); }
    const std::string& makeCredentials();

private:
    std::string proxyServer_;
    int32_t proxyPort_ = 0;
    std::unique_ptr<std::string> credentials_;
};

struct HttpRequestSettings {
    std::string Accept;
    std::string UserAgent;
    std::string ContentType;
    int64_t ContentLength = -1;
    int64_t ContentRangeStart = 0;
    int64_t ContentRangeEnd = 0;
    bool BasicAuthentication = false;
};

class HttpClient {
public:
    HttpClient();
    ~HttpClient();

    HttpRequestSettings Request;
    HttpProxyParams ProxyParams;
    bool AllowCookies = true;
    int ReadTimeout = 0;  // 0: no limit of its own (the bounds below still hold)
    WorkHandlers& work();

    // Bounds on waits that would otherwise never end (tests shorten them).
    int ConnectTimeoutMs = 30000;
    int IdleTimeoutMs = 60000;
    int HeadDeadlineMs = 60000;  // the whole head, interim heads included, from the request
    int SendTimeoutMs = 60000;   // every wait for room to send
    // A body slower than this many bytes per window stops with "Read Timeout".
    int64_t BodyFloorBytes = 1024;
    int BodyFloorWindowMs = 60000;

    // GET url; the body goes to destination from its current position. Raises on failure.
    void Get(const std::string& url, OutputStream& destination);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace trev
