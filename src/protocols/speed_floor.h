#pragma once
// A body that must keep moving: fewer than minBytes within one window of windowMs
// stops the transfer with "Read Timeout", however often single bytes trickle in.
#include <chrono>
#include <cstdint>

namespace trev {

class SpeedFloor {
public:
    using Clock = std::chrono::steady_clock;
    SpeedFloor() = default;  // off
    SpeedFloor(int64_t minBytes, int windowMs);

    bool active() const { return windowMs_ > 0 && minBytes_ > 0; }
    // waitMs (-1: no limit) cut to the end of a window that has not had its bytes yet.
    int limitWait(int waitMs) const;
    // Counts what arrived; a window over with too few bytes raises "Read Timeout".
    void received(int64_t count);

private:
    int64_t minBytes_ = 0;
    int windowMs_ = 0;
    Clock::time_point windowStart_;
    int64_t inWindow_ = 0;
};

}  // namespace trev
