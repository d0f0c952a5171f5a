#include "transfer/update_source.h"

namespace trev {

UpdateSource::UpdateSource(TDataWeb& dataWeb, UpdateServer server, LetterReader letter)
    : dataWeb_(dataWeb), server_(std::move(server)), letter_(std::move(letter)) {}

void UpdateSource::useFtpAccount() {
    dataWeb_.FTP.Host = server_.host;
    dataWeb_.FTP.Port = server_.ftpPort;
    dataWeb_.FTP.Username = server_.ftpUser;
    dataWeb_.FTP.Password = server_.ftpPassword;
}

void UpdateSource::fetch(const std::string& remotePath, const std::string& localPath) {
    fetchTogether({{remotePath, localPath}});
}

void UpdateSource::fetchTogether(const std::vector<Fetch>& files) {
    if (!overFtp()) {
        for (const auto& [remote, local] : files) fetchOverHttp(remote, local);
        return;
    }
    dataWeb_.FtpOpen();
    for (const auto& [remote, local] : files) dataWeb_.FtpGetToFile(remote, local);
    dataWeb_.FtpClose();
}

void UpdateSource::fetchOverHttp(const std::string& remotePath, const std::string& localPath) {
    dataWeb_.HttpGetToFile(server_.httpUrl(remotePath), localPath);
}

}  // namespace trev
