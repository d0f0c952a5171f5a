#include "peers/tinyproxy_peer.h"

#include "peers/peer_system.h"

#include <stdexcept>

namespace trev::peers {
namespace {

constexpr const char* kTinyproxy = "/usr/bin/tinyproxy";

std::string configuration(const TempFolder& folder, uint16_t port, const std::string& user,
                          const std::string& password) {
    // Run as ourselves: otherwise a proxy started by root drops to an account that cannot write the log.
    const PeerAccount account = peerAccount();
    std::string text = "Port " + std::to_string(port) + "\n"
                       "Listen 127.0.0.1\n"
                       "Timeout 60\n"
                       "LogFile \"" + peerPath(folder.file("tinyproxy.log")) + "\"\n"
                       "LogLevel Info\n"
                       "PidFile \"" + peerPath(folder.file("tinyproxy.pid")) + "\"\n"
                       "MaxClients 32\n"
                       "Allow 127.0.0.1\n"
                       "DisableViaHeader Yes\n";
    if (!account.user.empty()) text += "User " + account.user + "\n";
    if (!account.group.empty()) text += "Group " + account.group + "\n";
    if (!user.empty()) text += "BasicAuth " + user + " " + password + "\n";
    return text;
}

}  // namespace

TinyproxyPeer::TinyproxyPeer(const std::string& user, const std::string& password) {
    port_ = freeLoopbackPort();
    writeFile(folder_.file("tinyproxy.conf"), configuration(folder_, port_, user, password));
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{kTinyproxy, "-d", "-c", peerPath(folder_.file("tinyproxy.conf"))},
        peerPath(folder_.file("stderr.log")));
    if (!waitUntilListening(port_, 10000, process_.get()))
        throw std::runtime_error("tinyproxy did not start: " + log() + readFile(folder_.file("stderr.log")));
}

TinyproxyPeer::~TinyproxyPeer() { process_.reset(); }

std::string TinyproxyPeer::log() const { return readFile(folder_.file("tinyproxy.log")); }

}  // namespace trev::peers
