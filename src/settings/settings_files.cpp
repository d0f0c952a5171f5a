#include "settings/settings_files.h"

#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/text_util.h"

namespace trev {

const char* const kConfigFolder = "C:\\VELOR\\TREVALMONTE\\CONFIG";
const char* const kProtocolFile = "C:\\VELOR\\TREVALMONTE\\CONFIG\\ATUTREV.CFG";
const char* const kProxyFile = "C:\\Velor\\Trevalmonte\\Config\\Proxy.cfg";

namespace {

struct ProxyValues {
    std::string server;
    int32_t port = 0;
    bool authentication = false;
    std::string username;
    std::string password;
};

void applyProxyValues(const ProxyValues& v, HttpClient& http, FtpClient& ftp) {
    http.ProxyParams.setProxyPort(v.port);
    http.ProxyParams.setProxyServer(v.server);
    http.ProxyParams.BasicAuthentication = v.authentication;
    http.ProxyParams.ProxyUsername = v.authentication ? v.username : "";
    http.ProxyParams.ProxyPassword = v.authentication ? v.password : "";
    ftp.ProxySettings.Host = v.server;
    ftp.ProxySettings.Port = v.port;
    ftp.ProxySettings.UserName = v.authentication ? v.username : "";
    ftp.ProxySettings.Password = v.authentication ? v.password : "";
}

std::string protocolFileText(const SettingsInput& input) {
    std::string text = input.protocol == Protocol::Ftp ? "F\r\n" : "H\r\n";
    if (input.proxy) text += input.proxy->address + "\r\n" + input.proxy->port;
    return text;
}

std::string proxyFileText(const ProxyInput& proxy) {
    std::string text;
    for (const std::string& line : {proxy.address, proxy.port, proxy.login, proxy.password})
        text += line + "\r\n";
    text += proxy.authentication ? "S\r\n" : "N\r\n";
    text += proxy.localNetwork ? "S\r\n" : "N\r\n";
    return text;
}

// Written beside the file and moved over it, so a failed write leaves the old file.
void replaceWhole(const std::string& windowsPath, const std::string& text) {
    const std::string temporary = windowsPath + ".new";
    try {
        TextWriter writer(temporary);
        writer.write(text);
        writer.close();
    } catch (...) {
        deleteFile(temporary);
        throw;
    }
    replaceFile(temporary, windowsPath);
}

}  // namespace

Protocol readProtocol() {
    if (!fileExists(kProtocolFile)) return Protocol::Http;
    return readFirstLine(kProtocolFile) == "F" ? Protocol::Ftp : Protocol::Http;
}

std::optional<ProxyFile> readProxyFile() {
    if (!fileExists(kProxyFile)) return std::nullopt;
    TextReader reader(kProxyFile);
    ProxyFile proxy;
    proxy.address = trim(reader.readLine());
    proxy.port = reader.readInteger();
    reader.skipLine();
    proxy.login = trim(reader.readLine());
    proxy.password = trim(reader.readLine());
    proxy.authentication = trim(reader.readLine()) == "S";
    proxy.localNetwork = trim(reader.readLine()) == "S";
    reader.close();
    return proxy;
}

void applyProxyFile(const ProxyFile& proxy, HttpClient& http, FtpClient& ftp) {
    applyProxyValues({proxy.address, proxy.port, proxy.authentication, proxy.login, proxy.password}, http, ftp);
}

void applySettingsFiles(Protocol& protocol, HttpClient& http, FtpClient& ftp) {
    protocol = Protocol::Http;
    protocol = readProtocol();
    if (auto proxy = readProxyFile()) applyProxyFile(*proxy, http, ftp);
}

void saveSettingsFiles(const SettingsInput& input) {
    if (input.proxy) parseInteger(input.proxy->port);
    forceDirectories(kConfigFolder);
    replaceWhole(kProtocolFile, protocolFileText(input));
    if (input.proxy)
        replaceWhole(kProxyFile, proxyFileText(*input.proxy));
    else
        deleteFile(kProxyFile);
}

void applyProxyInput(const ProxyInput& input, HttpClient& http, FtpClient& ftp) {
    applyProxyValues({trim(input.address), parseInteger(input.port), input.authentication, input.login, input.password},
                     http, ftp);
}

void clearProxy(HttpClient& http, FtpClient& ftp) { applyProxyValues({}, http, ftp); }

}  // namespace trev
