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

// A wait of up to timeoutMs (-1: no bound), taken in slices of sliceMs between which
// the caller watches the control connection.
class SlicedWait {
public:
    SlicedWait(int timeoutMs, int sliceMs)
        : bounded_(timeoutMs >= 0), deadline_(Clock::now() + std::chrono::milliseconds(bounded_ ? timeoutMs : 0)),
          sliceMs_(sliceMs) {}

    // The next slice's length; lastSlice says whether the wait ends with it.
    int nextSliceMs() {
        const int left = bounded_ ? remainingMs(deadline_) : sliceMs_;
        lastSlice = bounded_ && left <= sliceMs_;
        return std::min(left, sliceMs_);
    }
    bool lastSlice = false;

private:
    bool bounded_;
    Clock::time_point deadline_;
    int sliceMs_;
};

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
    SlicedWait wait(timeoutMs, kWatchEveryMs);
    for (;;) {
        TcpSocket candidate = listener_.accept(wait.nextSliceMs());
        if (!candidate.isOpen()) {
            if (wait.lastSlice) throw dataConnectionTimedOut();
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

// Up to waitMs (-1: no bound) for data, in slices between which watch runs; -1 if none came.
long FtpDataChannel::receiveWatched(BlockBuffer& blocks, int waitMs, const std::function<void()>& watch) {
    SlicedWait wait(waitMs, kWatchEveryMs);
    for (;;) {
        const long n = data_.receive(blocks.space(), blocks.room(), wait.nextSliceMs());
        if (n >= 0 || wait.lastSlice) return n;
        watch();
    }
}

void FtpDataChannel::readAll(OutputStream& out, const WorkHandlers& handlers, int idleTimeoutMs, SpeedFloor floor,
                             const std::function<void()>& watch) {
    WorkTracker tracker(this);
    tracker.handlers = handlers;
    BlockBuffer blocks;
    tracker.beginWork(WorkMode::Read, 0);
    try {
        for (;;) {
            long n = receiveWatched(blocks, floor.limitWait(idleTimeoutMs), watch);
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
