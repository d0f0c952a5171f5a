#pragma once
// The update server: one host serving the same tree over HTTP and FTP.
#include <string>

namespace trev {

// How the update server is reached; the settings file keeps it as a letter.
enum class Protocol { Http, Ftp };

struct UpdateServer {
    std::string host;
    int httpPort = 80;
    int ftpPort = 21;
    std::string ftpUser = "trevalmonte";
    std::string ftpPassword = "harbloom";
    // The publisher's Ed25519 public key in base64; empty: nothing is verified.
    std::string publisherKey = {};

    // "http://" + host (+ ":" port when not 80) + path.
    std::string httpUrl(const std::string& path) const {
        std::string url = "http://" + host;
        if (httpPort != 80) url += ":" + std::to_string(httpPort);
        return url + path;
    }
};

// The server this program was built for.
UpdateServer builtInUpdateServer();

}  // namespace trev
