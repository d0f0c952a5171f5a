#include "protocols/ftp/ftp_data_channel.h"

#include "platform/host_names.h"

#include "protocols/line_reader.h"

#include <algorithm>
#include <chrono>

namespace trev {
namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<decltype(left)>(left, 0));
}

}  // namespace

SocketError dataConnectionTimedOut() {
    return SocketError(WSAETIMEDOUT, "Socket Error # 10060\r\nConnection timed out: the server did not open the data connection.");
}

FtpDataChannel::FtpDataChannel(uint32_t localAddress, uint32_t expectedPeer) : expectedPeer_(expectedPeer) {
    listener_.listen(localAddress, 0, kBacklog);
}

std::string FtpDataChannel::portArgument() const {
    std::string address = dottedAddress(listener_.localAddress());
    std::replace(address.begin(), address.end(), '.', ',');
    uint16_t port = listener_.localPort();
    return address + "," + std::to_string(port / 256) + "," + std::to_string(port % 256);
}

void FtpDataChannel::accept(int timeoutMs, const std::function<void()>& watch) {
    const bool bounded = timeoutMs >= 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(bounded ? timeoutMs : 0);
    for (;;) {
        const int left = bounded ? remainingMs(deadline) : kWatchEveryMs;
        TcpSocket candidate = listener_.accept(std::min(left, kWatchEveryMs));
        if (!candidate.isOpen()) {
            if (left <= kWatchEveryMs && bounded) throw dataConnectionTimedOut();
            watch();
            continue;
        }
        // Anyone can reach a listening port: take only the server we are talking to,
        // so no other host can put its bytes into the file.
        if (candidate.peerAddress() == expectedPeer_) {
            data_ = std::move(candidate);
            listener_.close();
            return;
        }
    }
}

void FtpDataChannel::readAll(OutputStream& out, const WorkHandlers& handlers, int idleTimeoutMs, SpeedFloor floor) {
    WorkTracker tracker(this);
    tracker.handlers = handlers;
    BlockBuffer blocks;
    tracker.beginWork(WorkMode::Read, 0);
    try {
        for (;;) {
            long n = data_.receive(blocks.space(), blocks.room(), floor.limitWait(idleTimeoutMs));
            if (n < 0) throw readTimeout();
            if (n == 0) break;
            floor.received(n);
            blocks.received(static_cast<size_t>(n));
            blocks.handOn(blocks.wholeBlocks(), out, &tracker);
        }
        // The last, short block is taken after the server has closed: not reported.
        blocks.handOn(blocks.size(), out, nullptr);
    } catch (...) {
        // What arrived stays in the file, also when the transfer broke off.
        finishAfterFailure(out, blocks.data(), blocks.size(), tracker);
        throw;
    }
    data_.close();
    tracker.endWork(WorkMode::Read);
}

void FtpDataChannel::finishAfterFailure(OutputStream& out, const char* data, size_t size, WorkTracker& tracker) {
    data_.close();
    try {
        out.write(data, size);
    } catch (const Error&) {
        // The first failure is the one reported.
    }
    tracker.endWork(WorkMode::Read);
}

}  // namespace trev
