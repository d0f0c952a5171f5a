#include "peers/nginx_peer.h"

#include "peers/peer_system.h"
#include "platform/tcp_socket.h"

#include <chrono>
#include <stdexcept>
#include <thread>

namespace trev::peers {
namespace {

constexpr const char* kNginx = "/usr/sbin/nginx";
constexpr int kSettleTimeoutMs = 10000;
constexpr auto kLogReadInterval = std::chrono::milliseconds(5);

// Sends a request and reads the whole answer (HTTP/1.0: nginx closes after it).
void requestOnce(const std::string& address, uint16_t port, const std::string& request) {
    TcpSocket socket;
    socket.connect(address, port, kSettleTimeoutMs);
    socket.sendAll(request.data(), request.size());
    char buffer[4096];
    while (socket.receive(buffer, sizeof buffer, kSettleTimeoutMs) > 0) {
    }
}

std::string configuration(const TempFolder& folder, const std::string& root, const std::string& address,
                          uint16_t port) {
    const std::string dir = peerPath(folder.path());
    return "daemon off;\n"
           "master_process off;\n"
           "worker_processes 1;\n"
           "pid " + dir + "/nginx.pid;\n"
           "error_log " + dir + "/error.log info;\n"
           "events { worker_connections 256; }\n"
           "http {\n"
           "  log_format conn '$connection $connection_requests \"$request\" $status $body_bytes_sent';\n"
           "  access_log " + dir + "/access.log conn;\n"
           "  client_body_temp_path " + dir + "/body;\n"
           "  proxy_temp_path " + dir + "/proxy;\n"
           "  fastcgi_temp_path " + dir + "/fastcgi;\n"
           "  uwsgi_temp_path " + dir + "/uwsgi;\n"
           "  scgi_temp_path " + dir + "/scgi;\n"
           "  types { text/plain cfg txt; application/octet-stream exe bin; }\n"
           "  default_type application/octet-stream;\n"
           "  sendfile on;\n"
           "  keepalive_timeout 60s;\n"
           "  keepalive_requests 10000;\n"
           "  server {\n"
           "    listen " + address + ":" + std::to_string(port) + ";\n"
           "    root " + peerPath(root) + ";\n"
           "    location = /connection { default_type text/plain; return 200 \"$connection:$connection_requests\"; }\n"
           "  }\n"
           "}\n";
}

}  // namespace

NginxPeer::NginxPeer(const std::string& documentRoot, const std::string& address, uint16_t port)
    : address_(address), port_(port ? port : freeLoopbackPort()) {
    writeFile(folder_.file("nginx.conf"), configuration(folder_, documentRoot, address_, port_));
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{kNginx, "-p", peerPath(folder_.path()), "-c", peerPath(folder_.file("nginx.conf")),
                                 "-e", peerPath(folder_.file("error.log"))},
        peerPath(folder_.file("stderr.log")));
    if (!waitUntilListening(port_, 10000, process_.get(), address_))
        throw std::runtime_error("nginx did not start: " + errorLog() + readFile(folder_.file("stderr.log")));
}

NginxPeer::~NginxPeer() { process_.reset(); }

std::string NginxPeer::url(const std::string& path) const {
    return "http://" + address_ + ":" + std::to_string(port_) + path;
}

std::string NginxPeer::accessLog() const { return readFile(folder_.file("access.log")); }
std::string NginxPeer::settledAccessLog() const {
    static int serial = 0;
    const std::string target = "/settled-log-marker?" + std::to_string(++serial);
    requestOnce(address_, port_, "GET " + target + " HTTP/1.0\r\n\r\n");
    const std::string line = "\"GET " + target + " HTTP/1.0\"";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kSettleTimeoutMs);
    for (;;) {
        std::string log = accessLog();
        if (log.find(line) != std::string::npos) return log;
        if (std::chrono::steady_clock::now() >= deadline) throw std::runtime_error("nginx did not log " + target);
        std::this_thread::sleep_for(kLogReadInterval);
    }
}

std::string NginxPeer::errorLog() const { return readFile(folder_.file("error.log")); }

}  // namespace trev::peers
