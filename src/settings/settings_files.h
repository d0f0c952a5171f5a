#pragma once
// The updater's own settings: ATUTREV.CFG (protocol) and Proxy.cfg (proxy), their
// reading into the protocol and the clients' proxy groups, and their writing.
#include "protocols/ftp/ftp_client.h"
#include "protocols/http/http_client.h"
#include "transfer/update_server.h"

#include <cstdint>
#include <optional>
#include <string>

namespace trev {

extern const char* const kConfigFolder;
extern const char* const kProtocolFile;
extern const char* const kProxyFile;

// Proxy.cfg as read: texts trimmed, the port by the integer rule of text files.
struct ProxyFile {
    std::string address;
    int32_t port = 0;
    std::string login;
    std::string password;
    bool authentication = false;  // line 5 is "S"
    bool localNetwork = false;    // line 6 is "S"
};

// FTP when line 1 of ATUTREV.CFG is exactly "F"; HTTP otherwise, also without the file.
Protocol readProtocol();
// Empty when there is no Proxy.cfg; raises "Invalid numeric input" for a bad port.
std::optional<ProxyFile> readProxyFile();
void applyProxyFile(const ProxyFile& proxy, HttpClient& http, FtpClient& ftp);

// The whole load: the protocol is settled before Proxy.cfg is opened, and the
// clients change only once Proxy.cfg has been read without error.
void applySettingsFiles(Protocol& protocol, HttpClient& http, FtpClient& ftp);

// The proxy fields as the user typed them.
struct ProxyInput {
    std::string address;
    std::string port;
    std::string login;
    std::string password;
    bool authentication = false;
    bool localNetwork = false;
};

struct SettingsInput {
    Protocol protocol = Protocol::Http;
    std::optional<ProxyInput> proxy;  // empty: no proxy
};

// Writes ATUTREV.CFG, and Proxy.cfg or its removal. The port is checked first
// ("'%s' is not a valid integer value"), so a refused save writes nothing; each
// file is replaced whole or left as it was.
void saveSettingsFiles(const SettingsInput& input);
// The typed values straight into the clients (login and password untrimmed).
void applyProxyInput(const ProxyInput& input, HttpClient& http, FtpClient& ftp);
void clearProxy(HttpClient& http, FtpClient& ftp);

}  // namespace trev
