// Scaffolding until the FTP client is written: the interface links, nothing is fetched.
#include "protocols/ftp_client.h"

#include "platform/errors.h"

namespace trev {

struct FtpClient::Impl {
    WorkHandlers handlers;
};

FtpClient::FtpClient() : impl_(std::make_unique<Impl>()) {}
FtpClient::~FtpClient() = default;
WorkHandlers& FtpClient::work() { return impl_->handlers; }
bool FtpClient::Connected() const { return false; }
void FtpClient::Connect() { throw Error("FTP client not built yet"); }
void FtpClient::Get(const std::string&, const std::string&) { throw Error("FTP client not built yet"); }
void FtpClient::Disconnect() {}

}  // namespace trev
