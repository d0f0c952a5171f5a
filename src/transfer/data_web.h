#pragma once
// The transfer data module: the HTTP and FTP clients and the four operations
// through which every file is fetched.
#include "platform/file_stream.h"
#include "protocols/ftp/ftp_client.h"
#include "protocols/http/http_client.h"
#include "transfer/fetch_check.h"

#include <cstdint>
#include <string>

namespace trev {

// What the work events drive: the download progress window, when one exists.
class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    virtual void workBegin(int64_t total) = 0;
    virtual void work(int64_t count) = 0;
    virtual void workEnd() = 0;
};

class TDataWeb {
public:
    TDataWeb();

    HttpClient HTTP;
    FtpClient FTP;

    // Creates the local file anew, GETs the URL into it, closes it. A size limit
    // (bytes; FileStream::kNoSizeLimit for none) stops a file that grows past it;
    // an observer sees every byte as it is written.
    void HttpGetToFile(const std::string& url, const std::string& localWindowsPath,
                       int64_t sizeLimit = FileStream::kNoSizeLimit, ReceivedBytes* observer = nullptr);
    void FtpOpen();
    void FtpGetToFile(const std::string& remotePath, const std::string& localWindowsPath,
                      int64_t sizeLimit = FileStream::kNoSizeLimit, ReceivedBytes* observer = nullptr);
    void FtpClose();

    // The progress window registers itself here while it exists.
    void setProgressDisplay(ProgressDisplay* display) { progress_ = display; }
    ProgressDisplay* progressDisplay() const { return progress_; }

    void HTTPWorkBegin(void* sender, WorkMode mode, int64_t total);
    void HTTPWork(void* sender, WorkMode mode, int64_t count);
    void HTTPWorkEnd(void* sender, WorkMode mode);
    void FTPWorkBegin(void* sender, WorkMode mode, int64_t total);
    void FTPWork(void* sender, WorkMode mode, int64_t count);
    void FTPWorkEnd(void* sender, WorkMode mode);

private:
    ProgressDisplay* progress_ = nullptr;
};

extern TDataWeb* DataWeb;

}  // namespace trev
