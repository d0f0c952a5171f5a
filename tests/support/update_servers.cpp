#include "support/update_servers.h"

namespace trev::test {

UpdateServers::UpdateServers(const std::string& prefix, Serve serve) : folder_(prefix) {
    if (serve != Serve::FtpOnly) nginx_ = std::make_unique<peers::NginxPeer>(folder_.path());
    if (serve != Serve::HttpOnly) ftp_ = std::make_unique<peers::FtpServerPeer>(folder_.path());
}

}  // namespace trev::test
