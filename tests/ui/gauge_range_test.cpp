#include "platform/errors.h"
#include "ui/gauge_range.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace trev {
namespace {

struct PercentCase {
    int64_t min, max, progress;
    int percent;
};

TEST(GaugeRange, PercentIsTruncatedAndZeroForAnEmptyRange) {
    const PercentCase cases[] = {
        {0, 100, 0, 0},    {0, 100, 100, 100}, {0, 3, 1, 33},   {0, 3, 2, 66},
        {0, 0, 0, 0},      {10, 20, 15, 50},   {0, 7, 6, 85},   {-10, 10, 0, 50},
        {0, 4'000'000'000'000LL, 3'999'999'999'999LL, 99},
        {0, 8'867'643'809'337'675'879LL, 1'241'470'133'307'274'623LL, 13},
        {INT64_MIN, INT64_MAX, 0, 50},
    };
    for (const auto& c : cases) {
        GaugeRange g;
        g.setMaxValue(c.max);
        g.setMinValue(c.min);
        g.setProgress(c.progress);
        EXPECT_EQ(g.percentDone(), c.percent) << c.min << ".." << c.max << " at " << c.progress;
    }
}

TEST(GaugeRange, ProgressIsClampedIntoTheRange) {
    GaugeRange g;
    g.setProgress(150);
    EXPECT_EQ(g.progress(), 100);
    g.setProgress(-5);
    EXPECT_EQ(g.progress(), 0);
}

TEST(GaugeRange, LoweringTheMaximumPullsTheProgressDown) {
    GaugeRange g;
    g.setMaxValue(5000);
    g.setProgress(4000);
    g.setMaxValue(1000);
    EXPECT_EQ(g.progress(), 1000);
    EXPECT_EQ(g.percentDone(), 100);
    g.setMaxValue(0);
    EXPECT_EQ(g.progress(), 0);
    EXPECT_EQ(g.percentDone(), 0);
}

TEST(GaugeRange, MaximumBelowMinimumIsRefusedAndChangesNothing) {
    GaugeRange g;
    g.setProgress(40);
    try {
        g.setMaxValue(-1);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Value must be between 0 and 9223372036854775807");
    }
    EXPECT_EQ(g.maxValue(), 100);
    EXPECT_EQ(g.progress(), 40);
    EXPECT_THROW(g.setMinValue(101), Error);
}

}  // namespace
}  // namespace trev
