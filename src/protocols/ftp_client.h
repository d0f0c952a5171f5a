#pragma once
// The FTP client: active mode, binary type, automatic login, one file per Get.
#include "protocols/work_events.h"

#include <cstdint>
#include <memory>
#include <string>

namespace trev {

enum class FtpProxyType { None };

struct FtpProxySettings {
    FtpProxyType ProxyType = FtpProxyType::None;
    std::string Host;
    int32_t Port = 0;
    std::string UserName;
    std::string Password;
};

class FtpClient {
public:
    FtpClient();
    ~FtpClient();

    std::string Host;
    int Port = 21;
    std::string Username;
    std::string Password;
    FtpProxySettings ProxySettings;
    int ReadTimeout = 0;
    WorkHandlers& work();

    // Bounds on waits that would otherwise never end (tests shorten them).
    int ConnectTimeoutMs = 30000;
    int IdleTimeoutMs = 60000;
    int DataConnectionTimeoutMs = 60000;

    bool Connected() const;
    // Connects and logs in; on any failure the control connection is closed.
    void Connect();
    // Retrieves remotePath into the local file (created anew). Raises on failure.
    void Get(const std::string& remotePath, const std::string& localWindowsPath);
    void Disconnect();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace trev
