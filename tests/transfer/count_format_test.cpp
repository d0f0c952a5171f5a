#include "transfer/count_format.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace trev {
namespace {

struct CountCase {
    int64_t count;
    const char* text;
};

TEST(CountFormat, AtLeastFourDigitsGroupedByThree) {
    const CountCase cases[] = {
        {0, "0.000"},         {512, "0.512"},           {999, "0.999"},
        {1000, "1.000"},      {1234, "1.234"},          {12345, "12.345"},
        {123456, "123.456"},  {1234567, "1.234.567"},   {2000000, "2.000.000"},
        {-512, "-0.512"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatCount(c.count, '.'), c.text) << c.count;
    EXPECT_EQ(formatCount(1234567, ','), "1,234,567");
}

}  // namespace
}  // namespace trev
