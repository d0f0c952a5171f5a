#pragma once
// The update server as the web update fetches from it: by the protocol, read
// before each fetch, through the transfer operations.
#include "transfer/data_web.h"
#include "transfer/fetch_check.h"
#include "transfer/update_server.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace trev {

// The most a catalogue or list file of the update server may hold.
constexpr int64_t kListFileLimit = int64_t{16} << 20;

class UpdateSource {
public:
    using ProtocolReader = std::function<Protocol()>;
    // A remote path, the local path it is fetched into, and the most that file may hold.
    struct Fetch {
        std::string remotePath;
        std::string localPath;
        int64_t sizeLimit = FileStream::kNoSizeLimit;
    };
    // Runs one transfer given what is fetched (a URL, or ftp:// host and path) and
    // where it goes; for a record of every fetch.
    using Transfer = std::function<void()>;
    using Wrapper = std::function<void(const std::string& remote, const std::string& localPath, const Transfer&)>;

    UpdateSource(TDataWeb& dataWeb, UpdateServer server, ProtocolReader protocol);

    Protocol protocol() const { return protocol_(); }
    bool overFtp() const { return protocol() == Protocol::Ftp; }
    const UpdateServer& server() const { return server_; }

    // The FTP client's host and account become the update server's.
    void useFtpAccount();
    // One file; over FTP in a connection of its own.
    void fetch(const std::string& remotePath, const std::string& localPath,
               int64_t sizeLimit = FileStream::kNoSizeLimit);
    // Files in order; over FTP all in one connection.
    void fetchTogether(const std::vector<Fetch>& files);
    // Whatever the protocol.
    void fetchOverHttp(const std::string& remotePath, const std::string& localPath,
                       int64_t sizeLimit = FileStream::kNoSizeLimit);

    void setWrapper(Wrapper wrapper) { wrapper_ = std::move(wrapper); }
    // Every fetch goes through the check while one is set (none: fetches as they always were).
    void setCheck(FetchCheck* check) { check_ = check; }

private:
    void transfer(const std::string& remote, const std::string& localPath, const Transfer& transfer) const;
    void checked(const std::string& remotePath, const std::string& localPath, const Transfer& transfer) const;
    void fetchTogetherOverFtp(const std::vector<Fetch>& files);

    TDataWeb& dataWeb_;
    UpdateServer server_;
    ProtocolReader protocol_;
    Wrapper wrapper_;
    FetchCheck* check_ = nullptr;
};

}  // namespace trev
