#include "protocols/speed_floor.h"

#include "protocols/line_reader.h"

#include <algorithm>

namespace trev {

SpeedFloor::SpeedFloor(int64_t minBytes, int windowMs)
    : minBytes_(minBytes), windowMs_(windowMs), windowStart_(Clock::now()) {}

int SpeedFloor::limitWait(int waitMs) const {
    if (!active() || inWindow_ >= minBytes_) return waitMs;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    windowStart_ + std::chrono::milliseconds(windowMs_) - Clock::now())
                    .count();
    int untilEnd = static_cast<int>(std::max<decltype(left)>(left, 0));
    return waitMs < 0 ? untilEnd : std::min(waitMs, untilEnd);
}

void SpeedFloor::received(int64_t count) {
    if (!active()) return;
    inWindow_ += count;
    const auto now = Clock::now();
    if (now - windowStart_ < std::chrono::milliseconds(windowMs_)) return;
    if (inWindow_ < minBytes_) throw readTimeout();
    windowStart_ = now;
    inWindow_ = 0;
}

}  // namespace trev
