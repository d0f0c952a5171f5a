#include "transfer/data_web.h"

#include "platform/file_stream.h"

#include <functional>

namespace trev {

TDataWeb* DataWeb = nullptr;

namespace {

void configureHttp(HttpClient& http) {
    http.Request.Accept = "text/html, */*";
    http.Request.UserAgent = "Mozilla/3.0 (compatible; Atualizador Trevalmonte)";
    http.Request.ContentType = "text/html";
    http.Request.ContentLength = -1;
    http.Request.ContentRangeStart = 0;
    http.Request.ContentRangeEnd = 0;
    http.Request.BasicAuthentication = false;
    http.AllowCookies = true;
    http.ReadTimeout = 0;
    http.ProxyParams.BasicAuthentication = false;
    http.ProxyParams.setProxyPort(0);
    http.ProxyParams.setProxyServer("");
}

void configureFtp(FtpClient& ftp) {
    ftp.ReadTimeout = 0;
    ftp.ProxySettings.ProxyType = FtpProxyType::None;
    ftp.ProxySettings.Port = 0;
}

}  // namespace

TDataWeb::TDataWeb() {
    configureHttp(HTTP);
    configureFtp(FTP);
    HTTP.work().OnWorkBegin = [this](void* s, WorkMode m, int64_t total) { HTTPWorkBegin(s, m, total); };
    HTTP.work().OnWork = [this](void* s, WorkMode m, int64_t count) { HTTPWork(s, m, count); };
    HTTP.work().OnWorkEnd = [this](void* s, WorkMode m) { HTTPWorkEnd(s, m); };
    FTP.work().OnWorkBegin = [this](void* s, WorkMode m, int64_t total) { FTPWorkBegin(s, m, total); };
    FTP.work().OnWork = [this](void* s, WorkMode m, int64_t count) { FTPWork(s, m, count); };
    FTP.work().OnWorkEnd = [this](void* s, WorkMode m) { FTPWorkEnd(s, m); };
}

namespace {

// Creates the file anew and hands the transfer what it writes into: the file, or the file
// seen by the observer. The file is closed when it goes out of scope, also when the transfer fails.
void intoFile(const std::string& localWindowsPath, int64_t sizeLimit, ReceivedBytes* observer,
              const std::function<void(OutputStream&)>& transfer) {
    FileStream file(localWindowsPath, sizeLimit);
    if (observer) {
        ObservedStream observed(file, *observer);
        transfer(observed);
    } else {
        transfer(file);
    }
    file.close();
}

}  // namespace

void TDataWeb::HttpGetToFile(const std::string& url, const std::string& localWindowsPath, int64_t sizeLimit,
                             ReceivedBytes* observer) {
    intoFile(localWindowsPath, sizeLimit, observer, [&](OutputStream& out) { HTTP.Get(url, out); });
}

void TDataWeb::FtpOpen() { FTP.Connect(); }

void TDataWeb::FtpGetToFile(const std::string& remotePath, const std::string& localWindowsPath, int64_t sizeLimit,
                            ReceivedBytes* observer) {
    intoFile(localWindowsPath, sizeLimit, observer, [&](OutputStream& out) { FTP.Get(remotePath, out); });
}

void TDataWeb::FtpClose() { FTP.Disconnect(); }

// The HTTP and FTP handlers are one set: neither looks at the work mode.
void TDataWeb::HTTPWorkBegin(void*, WorkMode, int64_t total) {
    if (progress_) progress_->workBegin(total);
}

void TDataWeb::HTTPWork(void*, WorkMode, int64_t count) {
    if (progress_) progress_->work(count);
}

void TDataWeb::HTTPWorkEnd(void*, WorkMode) {
    if (progress_) progress_->workEnd();
}

void TDataWeb::FTPWorkBegin(void* sender, WorkMode mode, int64_t total) { HTTPWorkBegin(sender, mode, total); }

void TDataWeb::FTPWork(void* sender, WorkMode mode, int64_t count) { HTTPWork(sender, mode, count); }

void TDataWeb::FTPWorkEnd(void* sender, WorkMode mode) { HTTPWorkEnd(sender, mode); }

}  // namespace trev
