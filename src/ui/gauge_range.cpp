#include "ui/gauge_range.h"

#include "platform/errors.h"

#include <algorithm>
#include <limits>
#include <string>

namespace trev {
namespace {

Error outOfRange(int64_t low, int64_t high) {
    return Error("Value must be between " + std::to_string(low) + " and " + std::to_string(high));
}

}  // namespace

void GaugeRange::setMinValue(int64_t value) {
    if (value > max_) throw outOfRange(std::numeric_limits<int64_t>::min(), max_);
    min_ = value;
    progress_ = std::max(progress_, min_);
}

void GaugeRange::setMaxValue(int64_t value) {
    if (value < min_) throw outOfRange(min_, std::numeric_limits<int64_t>::max());
    max_ = value;
    progress_ = std::min(progress_, max_);
}

void GaugeRange::setProgress(int64_t value) { progress_ = std::clamp(value, min_, max_); }

int GaugeRange::percentDone() const {
    if (max_ == min_) return 0;
    // 128-bit integers keep (progress - min) * 100 exact on huge ranges, where a
    // floating quotient can round up across a whole percent.
    __int128 done = (static_cast<__int128>(progress_) - min_) * 100 / (static_cast<__int128>(max_) - min_);
    return static_cast<int>(done);
}

}  // namespace trev
