#include "platform/socket_wait_hook.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace trev {
namespace {

SocketWaitHook& installedHook() {
    static SocketWaitHook hook;
    return hook;
}

bool& hookRunning() {
    static bool running = false;
    return running;
}

class RunningFlag {
public:
    RunningFlag() { hookRunning() = true; }
    ~RunningFlag() { hookRunning() = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;
};

}  // namespace

void setSocketWaitHook(SocketWaitHook hook) { installedHook() = std::move(hook); }

int waitInSlices(int timeoutMs, const std::function<int(int sliceMs)>& waitOnce) {
    if (!installedHook() || hookRunning() || timeoutMs == 0) return waitOnce(timeoutMs);
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int sliceMs = kSocketWaitSliceMs;
        if (timeoutMs > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) return 0;
            sliceMs = static_cast<int>(std::min<long long>(left, kSocketWaitSliceMs));
        }
        if (int result = waitOnce(sliceMs)) return result;
        RunningFlag running;
        installedHook()();
    }
}

}  // namespace trev
