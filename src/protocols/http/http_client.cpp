#include "protocols/http/http_client.h"

#include "platform/errors.h"
#include "platform/text_util.h"
#include "protocols/http/base64.h"
#include "protocols/buffered_connection.h"
#include "protocols/http/http_body.h"
#include "protocols/http/http_cookies.h"
#include "protocols/http/http_request_head.h"
#include "protocols/http/http_response.h"
#include "protocols/http/http_target.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace trev {
namespace {

constexpr int kErrorBodyWaitMs = 2000;

// Like a socket port of the platform: the low 16 bits of the number.
uint16_t portNumber(const std::string& text) { return static_cast<uint16_t>(parseInteger(text)); }

int limitOrNone(int ms) { return ms > 0 ? ms : -1; }

bool saysClose(const HttpResponse& response, const char* header) {
    return upperCase(trim(response.header(header))) == "CLOSE";
}

}  // namespace

struct HttpClient::Impl {
    explicit Impl(HttpClient& client) : owner(client), work(&client), body(connection.reader(), work) {}

    void get(const std::string& url, OutputStream& destination);
    void chooseConnection();
    bool connectIfNeeded();
    void connect();
    bool lostBeforeAnswer(const SocketError& error);
    bool tryExchange(OutputStream& destination, bool reused);
    std::string requestHead();
    void exchange(OutputStream& destination);
    void readHead();
    void storeCookies();
    void refuse();
    void finish();
    void close();
    int waitLimit() const;
    bool throughProxy() const { return !owner.ProxyParams.ProxyServer().empty(); }

    HttpClient& owner;
    WorkTracker work;
    BufferedConnection connection;
    HttpBodyReader body;
    HttpTarget target;
    HttpResponse response;
    CookieStore cookies;
    std::string connectionHost;
    uint16_t connectionPort = 0;
    enum class Link {
        Closed,      // no connection
        Idle,        // open, fit for the next request
        Exchanging,  // a request sent, its response not read to the end: unfit for another
    };
    Link link = Link::Closed;
    uint64_t receivedBeforeRequest = 0;
    bool closeAfter = false;  // a response framed two ways: the next one could start anywhere
};

void HttpClient::Impl::close() {
    connection.close();
    link = Link::Closed;
}

int HttpClient::Impl::waitLimit() const {
    int readLimit = limitOrNone(owner.ReadTimeout);
    int idleLimit = limitOrNone(owner.IdleTimeoutMs);
    if (readLimit < 0) return idleLimit;
    return idleLimit < 0 ? readLimit : std::min(readLimit, idleLimit);
}

void HttpClient::Impl::chooseConnection() {
    std::string host = target.host;
    uint16_t port = portNumber(target.port);
    if (throughProxy()) {
        host = owner.ProxyParams.ProxyServer();
        port = static_cast<uint16_t>(owner.ProxyParams.ProxyPort());
    }
    if (upperCase(host) != upperCase(connectionHost) || port != connectionPort) {
        close();
        connectionHost = host;
        connectionPort = port;
    }
    if (!throughProxy() && upperCase(target.protocol) == "HTTPS") throw HttpProtocolError("HTTPS is not supported");
}

// Reuses a kept-alive connection only while it is quiet: one the server closed while
// idle, or that holds bytes no request asked for, is replaced. True when reused.
bool HttpClient::Impl::connectIfNeeded() {
    if (link == Link::Idle) {
        try {
            if (connection.reader().idleState() == LineReader::Idle::Quiet) return true;
        } catch (const SocketError&) {
        }
        close();
    }
    connect();
    return false;
}

void HttpClient::Impl::connect() {
    connection.connect(connectionHost, connectionPort, limitOrNone(owner.ConnectTimeoutMs));
    link = Link::Idle;
}

std::string HttpClient::Impl::requestHead() {
    HttpRequestHead head;
    head.target = throughProxy() ? target.absoluteUri() : target.requestTarget();
    head.contentType = owner.Request.ContentType;
    head.host = target.hostHeader();
    head.accept = owner.Request.Accept;
    head.userAgent = owner.Request.UserAgent;
    // Only while the user has authentication on: switched-off credentials are never sent.
    if (throughProxy() && owner.ProxyParams.BasicAuthentication)
        head.proxyAuthorization = "Basic " + base64Encode(owner.ProxyParams.makeCredentials());
    if (owner.AllowCookies)
        head.cookie = cookies.cookieHeader(target.host, target.path, std::time(nullptr));
    return formatRequestHead(head);
}

void HttpClient::Impl::storeCookies() {
    if (!owner.AllowCookies) return;
    std::time_t now = std::time(nullptr);
    for (const auto& value : response.headerValues("Set-Cookie"))
        if (auto cookie = parseSetCookie(value, target.host, target.path, now)) cookies.add(*cookie, now);
    for (const auto& value : response.headerValues("Set-Cookie2"))
        for (const auto& cookie : parseSetCookie2(value, target.host, target.path, now)) cookies.add(cookie, now);
}

// Reads the body of a refused response into the error, waiting at most 2 s for all of it.
void HttpClient::Impl::refuse() {
    connection.reader().setDeadline(LineReader::Clock::now() + std::chrono::milliseconds(kErrorBodyWaitMs));
    std::string text = body.readErrorText(response);
    // A body beyond what the error keeps is not read on: that connection cannot carry another response.
    if (link == Link::Exchanging && body.readToEnd()) link = Link::Idle;
    throw HttpProtocolError(escapeControlBytes(response.statusLine), response.statusCode, text);
}

void HttpClient::Impl::readHead() {
    LineReader& reader = connection.reader();
    if (owner.HeadDeadlineMs > 0) reader.setDeadline(LineReader::Clock::now() + std::chrono::milliseconds(owner.HeadDeadlineMs));
    response = readResponseHead(reader);
    reader.clearDeadline();
    if (response.closedDuringHead || response.hasConflictingFraming()) closeAfter = true;
    if (response.closedDuringHead) close();
}

void HttpClient::Impl::exchange(OutputStream& destination) {
    link = Link::Exchanging;
    closeAfter = false;
    connection.reader().readTimeoutMs = waitLimit();
    connection.sendTimeoutMs = limitOrNone(owner.SendTimeoutMs);
    receivedBeforeRequest = connection.reader().received();
    connection.write(requestHead());
    readHead();
    storeCookies();
    if (!response.isSuccess() || response.isRedirect()) refuse();
    if (response.closedDuringHead) throw HttpProtocolError("Undefined situation", response.statusCode);
    connection.reader().setSpeedFloor(SpeedFloor(owner.BodyFloorBytes, owner.BodyFloorWindowMs));
    if (response.statusCode != 204) body.readInto(response, destination);
    link = Link::Idle;
}

// Keeps the connection only when the exchange ended cleanly and the server allows it.
void HttpClient::Impl::finish() {
    connection.reader().clearDeadline();
    connection.reader().clearSpeedFloor();
    if (link == Link::Exchanging || closeAfter || !connection.connected() || saysClose(response, "Connection") ||
        saysClose(response, "Proxy-Connection"))
        close();
}

// The server closed or reset the connection before a single byte of the answer came.
bool HttpClient::Impl::lostBeforeAnswer(const SocketError& error) {
    const LineReader& reader = connection.reader();
    bool ended = reader.closedByPeer() || error.code() == WSAECONNRESET || error.code() == WSAECONNABORTED;
    return ended && reader.received() == receivedBeforeRequest;
}

// One exchange; false, with nothing raised, when a reused connection turned out
// closed before any byte of the answer came.
bool HttpClient::Impl::tryExchange(OutputStream& destination, bool reused) {
    try {
        exchange(destination);
    } catch (const SocketError& error) {
        bool lost = reused && lostBeforeAnswer(error);
        finish();
        if (lost) return false;
        throw;
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return true;
}

void HttpClient::Impl::get(const std::string& url, OutputStream& destination) {
    target.prepare(parseUrl(url));
    chooseConnection();
    if (tryExchange(destination, connectIfNeeded())) return;
    // A server may close an idle connection just as the request leaves: a GET is
    // idempotent, so it goes once more, on a new connection (RFC 9112 section 9.3.1).
    connect();
    tryExchange(destination, false);
}

HttpClient::HttpClient() : impl_(std::make_unique<Impl>(*this)) {}
HttpClient::~HttpClient() = default;

WorkHandlers& HttpClient::work() { return impl_->work.handlers; }

void HttpClient::Get(const std::string& url, OutputStream& destination) { impl_->get(url, destination); }

}  // namespace trev
