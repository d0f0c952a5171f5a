#pragma once
// The FTP client: active mode, binary type, automatic login, one file per Get.
#include "platform/output_stream.h"
#include "protocols/ftp/ftp_reply.h"
#include "protocols/work_events.h"

#include <cstdint>
#include <memory>
#include <string>

namespace trev {

enum class FtpProxyType { None };

// Stored only: with the type None the client always connects directly.
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
    int ReadTimeout = 0;  // 0: no limit of its own (the bounds below still hold)
    WorkHandlers& work();

    // Bounds on waits that would otherwise never end (tests shorten them); -1: no bound.
    int ConnectTimeoutMs = 30000;
    int IdleTimeoutMs = 60000;           // every wait for a reply or for data
    int DataConnectionTimeoutMs = 60000;  // the server opening the data connection
    int ReplyDeadlineMs = 60000;          // a whole reply, from the connect or the command
    int SendTimeoutMs = 60000;            // every wait for room to send
    // Data slower than this many bytes per window stops with "Read Timeout".
    int64_t DataFloorBytes = 1024;
    int DataFloorWindowMs = 60000;

    bool Connected() const;
    // Connects and logs in; on any failure the control connection is closed.
    // "Already connected." while the control connection is open.
    void Connect();
    // Retrieves remotePath into the local file (created anew). Raises on failure,
    // leaving in the file what arrived and the control connection open.
    void Get(const std::string& remotePath, const std::string& localWindowsPath);
    // The same into a stream the caller made (a file with its own bounds, a hashed file).
    void Get(const std::string& remotePath, OutputStream& destination);
    // Closes the control connection at once; nothing is sent.
    void Disconnect();

    const FtpReply& Greeting() const;
    const FtpReply& LastReply() const;
    // The first line of the reply to "SYST", "Unknown" when the server does not know it.
    const std::string& SystemDescription() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace trev
