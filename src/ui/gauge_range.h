#pragma once
// The numbers behind a bar gauge: minimum, maximum and progress, kept consistent.
#include <cstdint>

namespace trev {

class GaugeRange {
public:
    int64_t minValue() const { return min_; }
    int64_t maxValue() const { return max_; }
    int64_t progress() const { return progress_; }

    // A minimum above the maximum, or a maximum below the minimum, is refused
    // with "Value must be between %d and %d"; the other values are clamped to fit.
    void setMinValue(int64_t value);
    void setMaxValue(int64_t value);
    void setProgress(int64_t value);

    // Whole percent done, truncated; 0 when the range is empty.
    int percentDone() const;

private:
    int64_t min_ = 0;
    int64_t max_ = 100;
    int64_t progress_ = 0;
};

}  // namespace trev
