#include "transfer/update_source.h"

#include "platform/paths.h"

namespace trev {

UpdateSource::UpdateSource(TDataWeb& dataWeb, UpdateServer server, ProtocolReader protocol)
    : dataWeb_(dataWeb), server_(std::move(server)), protocol_(std::move(protocol)) {}

void UpdateSource::useFtpAccount() {
    dataWeb_.FTP.Host = server_.host;
    dataWeb_.FTP.Port = server_.ftpPort;
    dataWeb_.FTP.Username = server_.ftpUser;
    dataWeb_.FTP.Password = server_.ftpPassword;
}

void UpdateSource::fetch(const std::string& remotePath, const std::string& localPath, int64_t sizeLimit) {
    fetchTogether({{remotePath, localPath, sizeLimit}});
}

void UpdateSource::fetchTogether(const std::vector<Fetch>& files) {
    if (!overFtp()) {
        for (const Fetch& file : files) fetchOverHttp(file.remotePath, file.localPath, file.sizeLimit);
        return;
    }
    dataWeb_.FtpOpen();
    if (!check_) {
        fetchTogetherOverFtp(files);
    } else {
        // A refused file ends the fetches; the connection does not outlive them.
        try {
            fetchTogetherOverFtp(files);
        } catch (...) {
            dataWeb_.FtpClose();
            throw;
        }
    }
    dataWeb_.FtpClose();
}

void UpdateSource::fetchTogetherOverFtp(const std::vector<Fetch>& files) {
    const std::string ftpServer = "ftp://" + server_.host + ":" + std::to_string(server_.ftpPort);
    for (const Fetch& file : files)
        checked(file.remotePath, file.localPath, [&] {
            transfer(ftpServer + file.remotePath, file.localPath,
                     [&] { dataWeb_.FtpGetToFile(file.remotePath, file.localPath, file.sizeLimit, check_); });
        });
}

void UpdateSource::fetchOverHttp(const std::string& remotePath, const std::string& localPath, int64_t sizeLimit) {
    const std::string url = server_.httpUrl(remotePath);
    checked(remotePath, localPath, [&] {
        transfer(url, localPath, [&] { dataWeb_.HttpGetToFile(url, localPath, sizeLimit, check_); });
    });
}

void UpdateSource::checked(const std::string& remotePath, const std::string& localPath, const Transfer& transfer) const {
    if (!check_) return transfer();
    check_->starting(remotePath);
    try {
        transfer();
    } catch (const FetchRefused&) {
        deleteFile(localPath);
        throw;
    }
    check_->finished(remotePath, localPath);
}

void UpdateSource::transfer(const std::string& remote, const std::string& localPath, const Transfer& transfer) const {
    if (wrapper_)
        wrapper_(remote, localPath, transfer);
    else
        transfer();
}

}  // namespace trev
