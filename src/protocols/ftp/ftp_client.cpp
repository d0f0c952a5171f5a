#include "protocols/ftp/ftp_client.h"

#include "platform/file_stream.h"
#include "protocols/buffered_connection.h"
#include "protocols/ftp/ftp_data_channel.h"

#include <chrono>
#include <optional>
#include <utility>

namespace trev {
namespace {

int boundOrNone(int ms) { return ms > 0 ? ms : -1; }

}  // namespace

struct FtpClient::Impl {
    BufferedConnection control;
    WorkHandlers handlers;
    FtpReply greeting;
    FtpReply last;
    std::string systemDescription;

    int replyDeadlineMs = -1;
    std::optional<FtpReply> early;  // came while the data connection was awaited or read

    FtpReply nextReply() {
        if (early) return *std::exchange(early, std::nullopt);
        LineReader& reader = control.reader();
        if (replyDeadlineMs > 0) reader.setDeadline(LineReader::Clock::now() + std::chrono::milliseconds(replyDeadlineMs));
        FtpReply reply = readFtpReply(reader);
        reader.clearDeadline();
        return reply;
    }

    const FtpReply& readReply(std::initializer_list<int> accepted) {
        last = nextReply();
        return expectReply(last, accepted);
    }

    // A refusal on the control connection (a 425, a 426 that breaks the transfer off)
    // ends the wait for the data connection, or for its data, at once; any other reply
    // is kept for its turn.
    void watchControl() {
        if (early || control.reader().idleState() == LineReader::Idle::Quiet) return;
        early = nextReply();
        if (early->code >= 400) {
            last = *std::exchange(early, std::nullopt);
            throw ftpReplyError(last);
        }
    }

    const FtpReply& command(const std::string& line, std::initializer_list<int> accepted) {
        control.write(line + "\r\n");
        return readReply(accepted);
    }

    // Still open and the server has not hung up in the meantime.
    bool controlOpen() {
        return control.isOpen() && control.reader().idleState() != LineReader::Idle::Closed;
    }

    void logIn(const FtpClient& client) {
        greeting = readReply({220});
        if (command("USER " + client.Username, {230, 331}).code == 331) command("PASS " + client.Password, {230});
        command("TYPE I", {200});
        const FtpReply& syst = command("SYST", {200, 215, 500});
        systemDescription = syst.code == 500 || syst.text.empty() ? "Unknown" : syst.text.front();
    }

    void retrieve(const FtpClient& client, const std::string& remotePath, OutputStream& out) {
        if (!control.isOpen()) throw socketError(WSAENOTCONN);
        FtpDataChannel channel(control.socket().localAddress(), control.socket().peerAddress());
        command("PORT " + channel.portArgument(), {200});
        command("RETR " + remotePath, {125, 150, 154});
        channel.accept(boundOrNone(client.DataConnectionTimeoutMs), [this] { watchControl(); });
        channel.readAll(out, handlers, boundOrNone(client.IdleTimeoutMs),
                        SpeedFloor(client.DataFloorBytes, client.DataFloorWindowMs), [this] { watchControl(); });
        // 426 and 450 mean the transfer broke off: the file is incomplete, so it is an error.
        readReply({225, 226, 250});
    }
};

FtpClient::FtpClient() : impl_(std::make_unique<Impl>()) {}
FtpClient::~FtpClient() = default;

WorkHandlers& FtpClient::work() { return impl_->handlers; }
bool FtpClient::Connected() const { return impl_->control.connected(); }
const FtpReply& FtpClient::Greeting() const { return impl_->greeting; }
const FtpReply& FtpClient::LastReply() const { return impl_->last; }
const std::string& FtpClient::SystemDescription() const { return impl_->systemDescription; }

void FtpClient::Connect() {
    try {
        if (impl_->controlOpen()) throw FtpReplyError("Already connected.");
        impl_->early.reset();
        impl_->control.connect(Host, static_cast<uint16_t>(Port), boundOrNone(ConnectTimeoutMs));
        impl_->control.reader().readTimeoutMs = boundOrNone(IdleTimeoutMs);
        impl_->control.sendTimeoutMs = boundOrNone(SendTimeoutMs);
        impl_->replyDeadlineMs = ReplyDeadlineMs;
        impl_->logIn(*this);
    } catch (...) {
        impl_->control.close();
        throw;
    }
}

void FtpClient::Get(const std::string& remotePath, const std::string& localWindowsPath) {
    FileStream file(localWindowsPath);
    impl_->retrieve(*this, remotePath, file);
    file.close();
}

void FtpClient::Get(const std::string& remotePath, OutputStream& destination) {
    impl_->retrieve(*this, remotePath, destination);
}

void FtpClient::Disconnect() { impl_->control.close(); }

}  // namespace trev
