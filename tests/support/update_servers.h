#pragma once
// The update tree of a test group, served on free loopback ports over HTTP (nginx)
// and over FTP (pyftpdlib), or over one of them.
#include "peers/ftp_server.h"
#include "peers/nginx_peer.h"
#include "peers/temp_folder.h"
#include "support/update_tree.h"

#include <cstdint>
#include <memory>
#include <string>

namespace trev::test {

class UpdateServers {
public:
    enum class Serve { HttpAndFtp, HttpOnly, FtpOnly };
    explicit UpdateServers(const std::string& prefix, Serve serve = Serve::HttpAndFtp);

    // The served folder: the tree is below it, in download/atualiza/.
    const peers::TempFolder& folder() const { return folder_; }
    UpdateTree tree() const { return UpdateTree(folder_.path()); }
    peers::NginxPeer& nginx() const { return *nginx_; }
    uint16_t ftpPort() const { return ftp_->port(); }

private:
    peers::TempFolder folder_;
    std::unique_ptr<peers::NginxPeer> nginx_;
    std::unique_ptr<peers::FtpServerPeer> ftp_;
};

}  // namespace trev::test
