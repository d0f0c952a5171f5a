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
    const std::string ftpServer = "ftp://" + server_.host + ":" + std::to_string(server_.ftpPort);
    for (const Fetch& file : files)
        transfer(ftpServer + file.first, file.second, [&] { dataWeb_.FtpGetToFile(file.first, file.second); });
    dataWeb_.FtpClose();
}

void UpdateSource::fetchOverHttp(const std::string& remotePath, const std::string& localPath) {
    const std::string url = server_.httpUrl(remotePath);
    transfer(url, localPath, [&] { dataWeb_.HttpGetToFile(url, localPath); });
}

void UpdateSource::transfer(const std::string& remote, const std::string& localPath, const Transfer& transfer) const {
    if (wrapper_)
        wrapper_(remote, localPath, transfer);
    else
        transfer();
}

}  // namespace trev
